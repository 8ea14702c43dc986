// The generated stock installation's symbol sets, loaded once for the whole test program.
#pragma once

#include "graphics/symbol_set.h"

#include <gtest/gtest.h>

namespace k2::test {

inline const SymbolSet& StockSymbols() {
    // Kept for the whole run (and reachable, so no leak is reported).
    static const SymbolSet* symbols = [] {
        auto* set = new SymbolSet;
        const Status status = LoadSymbolSet(*set, K2_STOCK_DIR, "K2T", "K2U", {});
        EXPECT_TRUE(status.ok) << status.message;
        return set;
    }();
    return *symbols;
}

} // namespace k2::test
