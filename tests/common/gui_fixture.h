// The base of the GUI tests' fixtures: finds the controls of the window under test by their
// object names, reads labels and looks at group captions.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

namespace k2::test {

class GuiTest : public ::testing::Test {
  protected:
    // The window whose controls the lookups search.
    virtual QWidget* Root() = 0;

    // The control named `name`; a missing one fails the test (and gives null).
    template <class T = QWidget> T* Get(const char* name) {
        T* widget = Root()->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString Label(const char* name) { return Get<QLabel>(name)->text(); }

    // The arrow button `part` of the up-down control `upDown`.
    QAbstractButton* Arrow(const char* upDown, const char* part) {
        return Get<QWidget>(upDown)->findChild<QAbstractButton*>(part);
    }

    // Whether the caption of group box `group` is drawn in `colour` (the caption sits in the
    // top strip of the box).
    bool CaptionHas(const char* group, QColor colour) {
        QGroupBox* box = Get<QGroupBox>(group);
        const QImage image =
            box->grab(QRect(0, 0, box->width(), 16)).toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == colour.rgb()) return true;
        return false;
    }
};

} // namespace k2::test
