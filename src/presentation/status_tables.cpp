#include "status_tables.h"

void StatusTables::FillDefaults()
{
    constexpr Rgb white{255, 255, 255};
    StatusColor = {Rgb{255, 255, 255},
                   Rgb{0, 255, 0},
                   Rgb{0, 144, 0},
                   Rgb{255, 255, 0},
                   Rgb{255, 0, 0},
                   Rgb{0, 128, 0},
                   Rgb{128, 128, 128},
                   Rgb{255, 128, 0},
                   Rgb{255, 0, 128},
                   Rgb{0, 0, 255},
                   white,
                   white,
                   white,
                   white,
                   white,
                   white,
                   Rgb{255, 0, 0},
                   white,
                   Rgb{0, 0, 0}};

    const char16_t* const fromVehicle[] = {
        u"NOTRUF",         u"Frei auf Funk", u"Frei auf Wache",      u"Einsatz Übernommen",
        u"Am Einsatzort",  u"Sprechwunsch",  u"Nicht Einsatzbereit", u"Patient Aufgenommen",
        u"Im Krankenhaus", u"Handquittung"};
    const char16_t* const toVehicle[] = {u"Statusabfrage",           u"A - Sammelruf",
                                         u"E - Einrücken",           u"C - Für Einsatz Melden",
                                         u"F - Über Telefon Melden", u"H - Wache Anfahren",
                                         u"J - Sprechaufforderung",  u"L - Lagemeldung",
                                         u"P - Fernwirken I",        u"U - Ungültiger Status"};
    for (auto& row : StatusText)
        row = {QString(), QString()};
    for (int status = 0; status <= 9; ++status) {
        StatusText[status][0] = QString::fromUtf16(fromVehicle[status]);
        StatusText[status][1] = QString::fromUtf16(toVehicle[status]);
    }
    StatusText[15] = {QStringLiteral("Quittung"), QStringLiteral("Quittung")};
}

QString MessageCode(int direction, int status)
{
    return QString::number(direction) + QStringLiteral("%1").arg(status, 2, 10, QLatin1Char('0'));
}
