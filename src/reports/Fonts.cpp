#include "Fonts.h"

#include <QFont>
#include <QStringList>

namespace rf::Fonts {

void preferMetricCompatibleFaces()
{
    static const bool installed = [] {
        const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
        QFont::insertSubstitutions(QStringLiteral("Arial"), sans);
        QFont::insertSubstitutions(QStringLiteral("Tahoma"), sans);
        QFont::insertSubstitutions(QStringLiteral("Helvetica"), sans);
        QFont::insertSubstitutions(QStringLiteral("Courier New"),
                                   {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")});
        QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                                   {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")});
        QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace rf::Fonts
