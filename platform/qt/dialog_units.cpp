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

QFont fittingFont(const QFont& font, const QStringList& texts, int width) {
    const auto fits = [&texts, width](const QFont& candidate) {
        const QFontMetrics metrics(candidate);
        return std::all_of(texts.begin(), texts.end(), [&](const QString& text) {
            return metrics.horizontalAdvance(text) <= width;
        });
    };
    if (fits(font)) {
        return font;
    }
    QFont fitted = font;
    for (const int stretch : {QFont::SemiCondensed, QFont::Condensed}) {
        fitted.setStretch(stretch);
        if (fits(fitted)) {
            return fitted;
        }
    }
    // No narrower face fits: the size goes down in half points, to no less
    // than two thirds of the template's, where it stays readable.
    const qreal size = font.pointSizeF();
    for (qreal smaller = size - 0.5; smaller >= size * 2 / 3; smaller -= 0.5) {
        fitted.setPointSizeF(smaller);
        if (fits(fitted)) {
            break;
        }
    }
    return fitted;
}

QRect toPixels(const Rect& dialogUnits, BaseUnits units) {
    const Rect pixels = dialogUnitsToPixels(dialogUnits, units.x, units.y);
    return QRect(pixels.x, pixels.y, pixels.cx, pixels.cy);
}

QSize toDialogUnits(QSize pixels, BaseUnits units) {
    if (units.x <= 0 || units.y <= 0) {
        return {};
    }
    // Halves away from zero, as toPixels rounds.
    const auto nearest = [](int a, int b, int c) {
        return static_cast<int>((static_cast<long long>(a) * b + c / 2) / c);
    };
    return {nearest(std::max(0, pixels.width()), 4, units.x),
            nearest(std::max(0, pixels.height()), 8, units.y)};
}

}  // namespace quorvel::platform::qt
