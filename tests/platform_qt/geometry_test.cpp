// Dialog units become pixels from the template font, as the platform's
// dialog manager computes them.

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>

#include "platform/core/dialog_units.h"
#include "platform/qt/dialog_units.h"
#include "tests/platform_qt/qt_test_support.h"

namespace quorvel::platform::qt::testing {
namespace {

TEST(dialog_units, come_from_the_desktop_face_at_the_template_size) {
    const QFont font = dialogFont("ms sans serif", 8);
    EXPECT_EQ(font.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    EXPECT_EQ(font.pointSize(), 8);
    EXPECT_GT(baseUnitsOf(dialogFont("MS Sans Serif", 12)).y, baseUnitsOf(font).y);
}

using DialogGeometry = ControlsDialog;

TEST_F(DialogGeometry, controls_sit_where_the_templates_dialog_units_put_them) {
    // The units, worked out here from the font the client area shows.
    const QFontMetrics metrics(view().clientOf(dialog)->font());
    const int unitX = averageCharacterWidth(metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")));
    const auto px = [&](int x, int y, int cx, int cy) {
        const Rect r = dialogUnitsToPixels(Rect{x, y, cx, cy}, unitX, metrics.height());
        return QRect(r.x, r.y, r.cx, r.cy);
    };
    EXPECT_EQ(view().clientOf(dialog)->size(), px(0, 0, 200, 150).size());
    EXPECT_EQ(view().widgetOf(item(IDOK))->geometry(), px(30, 130, 50, 14));
    EXPECT_EQ(view().widgetOf(item(IDC_CENTRED))->geometry(), px(105, 50, 88, 8));
    const QWidget* frame = view().widgetOf(dialog);
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());

    // A drop-down list's template height includes the dropped-down part.
    const auto* list = widget<QComboBox>(IDC_LIST);
    const QRect full = px(7, 80, 60, 60);
    EXPECT_EQ(list->geometry(), QRect(full.topLeft(), QSize(full.width(), list->height())));
    EXPECT_EQ(list->maxVisibleItems(),
              (full.height() - list->height()) / list->view()->sizeHintForRow(0));

    // The arrows take their width from the buddy's right edge, over its border.
    const QRect buddy = px(135, 80, 40, 14);
    EXPECT_EQ(view().widgetOf(item(IDC_COUNT))->geometry(), buddy.adjusted(0, 0, -kUpDownWidth, 0));
    EXPECT_EQ(view().widgetOf(item(IDC_COUNT_ARROWS))->geometry(),
              QRect(buddy.right() + 1 - kUpDownWidth - kUpDownBuddyOverlap, buddy.top(),
                    kUpDownWidth, buddy.height()));

    // An icon shows at the desktop's icon size.
    const auto* picture = widget<QLabel>(IDC_PICTURE);
    const int side = picture->style()->pixelMetric(QStyle::PM_LargeIconSize);
    EXPECT_EQ(picture->geometry(), QRect(px(7, 100, 0, 0).topLeft(), QSize(side, side)));
    EXPECT_FALSE(picture->pixmap().isNull());
}

}  // namespace
}  // namespace quorvel::platform::qt::testing
