#pragma once

// The working of the last slip the main window settled: every line as the
// settlement made it, recorded while it ran, and the texts the "Working"
// dialog shows and copies.

#include <string>
#include <vector>

#include "engine/line_record.h"
#include "engine/settle_amounts.h"

namespace quorvel {

struct Working {
    bool settled = false;     // false until a slip is settled, and again after "Clear"
    bool outOfDate = false;   // the slip has changed since it was settled
    SettlementInput input{};  // preferences, "Tax Paid" and the slip as settled
    SettlementDisplay display{};
    LineRecord record;
};

// The main window's last settlement.
Working& lastWorking();

using TextRows = std::vector<std::vector<std::string>>;

// The working as text, Windows-1252 ("\xA3" is the pound sign).
struct WorkingText {
    std::string slip;  // bet, stake per bet, each-way mode, tax
    TextRows legs;     // per selection: row, result, price, Rule 4, place terms
    // Per line: number, kind, rows, return to the hundredth of a penny; then
    // each step from their sum to "Returns" and to "Total stake": what was
    // done, what it added or took off, and the amount it came to.
    TextRows lines;
    std::string note;  // the consolation; may be empty
    TextRows totals;   // "Bets", "Total stake", "Returns" and their values
};

extern const std::vector<std::string> kLegColumns;
extern const std::vector<std::string> kLineColumns;
inline constexpr std::size_t kFirstAmountColumn = 3;  // of kLineColumns: the amounts

WorkingText describeWorking(const Working& working);

// The whole working as tab-separated lines ending "\r\n", to paste into a spreadsheet.
std::string workingClipboardText(const WorkingText& text);

}  // namespace quorvel
