#include "display_time.h"

#include "common/leading_number.h"
#include "common/whole_number.h"

std::optional<int> DisplayInterval(const QString& displayTimeText)
{
    const double seconds = ParseLeadingNumber(displayTimeText);
    if (!(seconds > 0))
        return std::nullopt;
    return ToInt32(seconds * 1000);
}
