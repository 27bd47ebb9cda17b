#include "engine/line_record.h"

namespace quorvel {
namespace {

void onLine(void* context, const LineReport& report) {
    static_cast<LineRecord*>(context)->lines.push_back(report);
}

void onSteps(void* context, const SettlementSteps& steps) {
    static_cast<LineRecord*>(context)->steps = steps;
}

}  // namespace

SettlementObserver recordLines(LineRecord& record) {
    record.lines.clear();
    record.lines.reserve(2 * kMaxLinesPerBet);
    record.steps = SettlementSteps{};
    return {&record, &onLine, &onSteps};
}

}  // namespace quorvel
