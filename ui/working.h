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
    TextRows lines;    // per line: number, kind, rows, return to the penny and to 1/100p
    std::string note;  // the consolation single or the all-winner bonus; may be empty
    TextRows totals;   // "Bets", "Total stake", "Returns" and their values
};

extern const std::vector<std::string> kLegColumns;
extern const std::vector<std::string> kLineColumns;
inline constexpr std::size_t kFirstAmountColumn = 3;  // of kLineColumns: the two returns

WorkingText describeWorking(const Working& working);

// The whole working as tab-separated lines ending "\r\n", to paste into a spreadsheet.
std::string workingClipboardText(const WorkingText& text);

}  // namespace quorvel
