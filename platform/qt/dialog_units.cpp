#include "platform/qt/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cctype>

#include "platform/core/code_page.h"
#include "platform/core/dialog_units.h"

namespace quorvel::platform::qt {
namespace {

bool sameFace(const std::string& a, const char* b) {
    return equalIgnoringCase(a, b);
}

}  // namespace

QFont dialogFont(const std::string& faceName, int pointSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const bool desktopFace = faceName.empty() || sameFace(faceName, "MS Sans Serif") ||
                             sameFace(faceName, "MS Shell Dlg") ||
                             sameFace(faceName, "MS Shell Dlg 2");
    if (!desktopFace) {
        font.setFamilies(QStringList{QString::fromStdString(utf8FromWindows1252(faceName))});
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSize(pointSize > 0 ? pointSize : 8);
    return font;
}

BaseUnits baseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnits{averageCharacterWidth(letters), metrics.height()};
}

QRect toPixels(const Rect& dialogUnits, BaseUnits units) {
    const Rect pixels = dialogUnitsToPixels(dialogUnits, units.x, units.y);
    return QRect(pixels.x, pixels.y, pixels.cx, pixels.cy);
}

}  // namespace quorvel::platform::qt
