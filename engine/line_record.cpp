#include "engine/line_record.h"

namespace quorvel {
namespace {

void onLine(void* context, const LineReport& report) {
    static_cast<LineRecord*>(context)->lines.push_back(report);
}

void onBonus(void* context, double factor) {
    static_cast<LineRecord*>(context)->bonusFactor = factor;
}

}  // namespace

SettlementObserver recordLines(LineRecord& record) {
    record.lines.clear();
    record.lines.reserve(2 * kMaxLinesPerBet);
    record.bonusFactor = 0.0;
    return {&record, &onLine, &onBonus};
}

}  // namespace quorvel
