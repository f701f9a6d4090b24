#include "CardBrowsing.h"

#include "CountedString.h"

namespace rf {
namespace {
BrowseStep show(qint64 position)
{
    BrowseStep step;
    step.kind = BrowseStep::Kind::ShowRecord;
    step.position = position;
    return step;
}

BrowseStep empty()
{
    BrowseStep step;
    step.kind = BrowseStep::Kind::EmptyArchive;
    return step;
}
} // namespace

BrowseStep decideBrowse(BrowseButton button, const QString& positionLabel, qint64 n)
{
    const QString label = trimControl(positionLabel);
    switch (button) {
    case BrowseButton::First:
        return n == 0 ? empty() : show(1);
    case BrowseButton::Last:
        return n == 0 ? empty() : show(n);
    case BrowseButton::Next: {
        const bool wasEmpty = label.isEmpty();
        const qint64 p = wasEmpty ? 0 : label.toLongLong();
        BrowseStep step;
        if (n == 0) {
            step = empty();
            step.clearLabel = true;
        } else if (p < n) {
            step = show(p + 1);
        }
        step.labelToZero = wasEmpty && !step.clearLabel;
        return step;
    }
    case BrowseButton::Previous: {
        if (label == QLatin1String("1"))
            return {};
        if (n == 0)
            return empty();
        if (label.isEmpty() || label == QLatin1String("2"))
            return show(1);
        bool ok = false;
        const qint64 p = label.toLongLong(&ok);
        return ok && p > 2 ? show(p - 1) : BrowseStep{};
    }
    }
    return {};
}

} // namespace rf
