// Check boxes and radio buttons of the real program take a click anywhere in
// their rectangle, as the platform's do, not only on the box and its text.

#include <QTest>
#include <deque>

#include "platform/core/input.h"
#include "resources/resource.h"
#include "tests/program_qt/program_test.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace {

TEST(tick_boxes_on_the_desktop, take_a_click_far_from_the_box_and_its_text) {
    const auto clickAt = [](int id, bool rightEdge) {
        QWidget* box = control(id);
        const QPoint at(rightEdge ? box->width() - 2 : 1, box->height() / 2);
        QTest::mouseClick(box, Qt::LeftButton, {}, at);
    };
    const auto ticked = [](int id) { return IsDlgButtonChecked(mainWindow(), id) == BST_CHECKED; };
    const int oddsOn = kSelectionRows[0].oddsOn;
    bool oddsOnBefore = true, taxBefore = false, oddsOnAfter = false, taxAfter = false, two = false;
    std::deque<Step> steps{[] {
                               view().post([] {
                                   platform::input::chooseItem(
                                       GetDlgItem(mainWindow(), kSelectionRows[0].result), 1);
                               });
                           },
                           [&] {
                               oddsOnBefore = ticked(oddsOn);
                               taxBefore = ticked(IDC_TAX_PAID);
                               clickAt(oddsOn, true);
                           },
                           [&] { clickAt(IDC_TAX_PAID, false); },  // its box is on the right
                           [&] { clickAt(IDC_SELECTIONS_2, true); },
                           [&] {
                               oddsOnAfter = ticked(oddsOn);
                               taxAfter = ticked(IDC_TAX_PAID);
                               two = ticked(IDC_SELECTIONS_2);
                           }};
    runProgram(std::move(steps));
    EXPECT_NE(oddsOnBefore, oddsOnAfter);
    EXPECT_NE(taxBefore, taxAfter);
    EXPECT_TRUE(two);
}

}  // namespace
}  // namespace quorvel::testing
