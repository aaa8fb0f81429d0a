#include "ui/DifferenceNames.h"

#include "ui/AddedTexts.h"

namespace lt {

QString DifferenceName(const FieldDifference& difference)
{
    const DifferencePlace place = PlaceOf(difference);
    if (place.channel != 0)
        return AddedText(Added::OneChannel).arg(place.channel) + QLatin1Char(' ') + place.name;
    if (!place.vfo.isNull())
        return AddedText(Added::VfoSide).arg(place.vfo) + QLatin1Char(' ') + place.name;
    return place.name;
}

} // namespace lt
