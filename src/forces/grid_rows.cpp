#include "forces/grid_rows.h"

#include <algorithm>
#include <numeric>

namespace k2 {

namespace {

int CompareFolded(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto fold = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a')
                                        : static_cast<unsigned char>(c);
        };
        const unsigned char ca = fold(a[i]), cb = fold(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return 0;
}

int Compare(const SortKey& a, const SortKey& b) {
    if (a.Number != b.Number) return a.Number < b.Number ? -1 : 1;
    return CompareFolded(a.Text, b.Text);
}

std::string Flat(const std::string& cell) {
    std::string out = cell;
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return out;
}

void AppendLine(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += '\t';
        out += Flat(cells[i]);
    }
    out += '\n';
}

} // namespace

std::vector<int32_t> DisplayOrder(const std::vector<std::vector<SortKey>>& keys, int32_t column,
                                  SortDirection direction) {
    std::vector<int32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    if (direction == SortDirection::None || column < 0) return order;
    const auto key = [&](int32_t row) -> const SortKey* {
        const auto& rowKeys = keys[static_cast<std::size_t>(row)];
        return static_cast<std::size_t>(column) < rowKeys.size() ? &rowKeys[static_cast<std::size_t>(column)]
                                                                 : nullptr;
    };
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        const SortKey* ka = key(a);
        const SortKey* kb = key(b);
        if (!ka || !kb) return false;
        const int c = Compare(*ka, *kb);
        return direction == SortDirection::Ascending ? c < 0 : c > 0;
    });
    return order;
}

std::string TabSeparated(const std::vector<std::string>& headers,
                         const std::vector<std::vector<std::string>>& rows,
                         const std::vector<int32_t>& order) {
    std::string out;
    AppendLine(out, headers);
    for (int32_t row : order)
        if (row >= 0 && static_cast<std::size_t>(row) < rows.size())
            AppendLine(out, rows[static_cast<std::size_t>(row)]);
    return out;
}

} // namespace k2
