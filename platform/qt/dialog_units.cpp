#include "platform/qt/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <cstdint>

#include "platform/core/code_page.h"

namespace quorvel::platform::qt {
namespace {

bool sameFace(const std::string& a, const char* b) {
    const std::string other = b;
    return a.size() == other.size() &&
           std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
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
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnits{(width / 26 + 1) / 2, metrics.height()};
}

int mulDiv(int value, int numerator, int denominator) {
    if (denominator == 0) {
        return 0;
    }
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(rounded);
}

QRect toPixels(const Rect& dialogUnits, BaseUnits units) {
    return QRect(mulDiv(dialogUnits.x, units.x, 4), mulDiv(dialogUnits.y, units.y, 8),
                 mulDiv(dialogUnits.cx, units.x, 4), mulDiv(dialogUnits.cy, units.y, 8));
}

}  // namespace quorvel::platform::qt
