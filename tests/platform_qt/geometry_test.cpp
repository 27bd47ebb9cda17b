// Dialog units become pixels from the template font, as the platform's
// dialog manager computes them.

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/qt/dialog_units.h"
#include "platform/qt/widgets.h"
#include "tests/platform_qt/qt_test_support.h"

namespace quorvel::platform::qt::testing {
namespace {

TEST(dialog_units, convert_with_rounding_half_away_from_zero) {
    struct Row {
        const char* name;
        int value, numerator, denominator, expected;
    };
    const Row rows[] = {
        {"exact quarter", 8, 6, 4, 12},
        {"half rounds up", 7, 6, 4, 11},
        {"below half rounds down", 5, 13, 8, 8},
        {"above half rounds up", 3, 13, 8, 5},
        {"negative half rounds away from zero", -7, 6, 4, -11},
        {"zero denominator gives zero", 5, 6, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(mulDiv(row.value, row.numerator, row.denominator), row.expected);
    }
}

TEST(dialog_units, ms_sans_serif_is_the_desktop_face_at_the_template_size) {
    const QString desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const char* face : {"MS Sans Serif", "ms sans serif", "MS Shell Dlg", ""}) {
        SCOPED_TRACE(face);
        const QFont font = dialogFont(face, 8);
        EXPECT_EQ(font.family(), desktop);
        EXPECT_EQ(font.pointSize(), 8);
    }
    // A bigger template font makes bigger units.
    const BaseUnits eight = baseUnitsOf(dialogFont("MS Sans Serif", 8));
    const BaseUnits twelve = baseUnitsOf(dialogFont("MS Sans Serif", 12));
    EXPECT_GT(twelve.x, eight.x);
    EXPECT_GT(twelve.y, eight.y);
}

class DialogGeometry : public ControlsDialog {
  protected:
    // Where a control in dialog units lands, computed here from the font
    // the dialog's client area actually uses.
    QRect expected(int x, int y, int cx, int cy) const {
        const QFontMetrics metrics(view().clientOf(dialog)->font());
        const int width = metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        const int unitX = (width / 26 + 1) / 2;
        const int unitY = metrics.height();
        return QRect(mulDiv(x, unitX, 4), mulDiv(y, unitY, 8), mulDiv(cx, unitX, 4),
                     mulDiv(cy, unitY, 8));
    }
};

TEST_F(DialogGeometry, the_client_area_and_each_control_follow_the_dialog_unit_rule) {
    EXPECT_EQ(view().clientOf(dialog)->size(), expected(0, 0, 200, 150).size());
    EXPECT_EQ(widget<QPushButton>(IDOK)->geometry(), expected(30, 130, 50, 14));
    EXPECT_EQ(widget<QLineEdit>(IDC_NAME)->geometry(), expected(135, 31, 58, 14));
    EXPECT_EQ(widget<QLabel>(IDC_CENTRED)->geometry(), expected(105, 50, 88, 8));
    // The frame holds the client area exactly and cannot be resized.
    const QWidget* frame = view().widgetOf(dialog);
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
}

TEST_F(DialogGeometry, a_drop_down_list_is_closed_height_with_its_list_below) {
    const auto* list = widget<QComboBox>(IDC_LIST);
    const QRect full = expected(7, 80, 60, 60);
    EXPECT_EQ(list->geometry().topLeft(), full.topLeft());
    EXPECT_EQ(list->width(), full.width());
    EXPECT_LT(list->height(), full.height());
    // The dropped part holds as many rows as fit in the rest of the height.
    const int row = list->view()->sizeHintForRow(0);
    EXPECT_EQ(list->maxVisibleItems(), std::max(1, (full.height() - list->height()) / row));
}

TEST_F(DialogGeometry, up_down_arrows_sit_on_the_narrowed_buddys_right_edge) {
    const QRect buddy = expected(135, 80, 40, 14);
    const QWidget* edit = widget<QLineEdit>(IDC_COUNT);
    const QWidget* arrows = view().widgetOf(item(IDC_COUNT_ARROWS));
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(edit->geometry(), buddy.adjusted(0, 0, -kUpDownWidth, 0));
    EXPECT_EQ(arrows->geometry(), QRect(edit->geometry().right() + 1 - kUpDownBuddyOverlap,
                                        buddy.top(), kUpDownWidth, buddy.height()));
}

TEST_F(DialogGeometry, an_icon_shows_at_the_desktop_icon_size_from_the_class_resource) {
    const auto* picture = widget<QLabel>(IDC_PICTURE);
    const int side = picture->style()->pixelMetric(QStyle::PM_LargeIconSize);
    EXPECT_EQ(picture->geometry(), QRect(expected(7, 100, 0, 0).topLeft(), QSize(side, side)));
    EXPECT_FALSE(picture->pixmap().isNull());
}

}  // namespace
}  // namespace quorvel::platform::qt::testing
