// SPDX-License-Identifier: GPL-3.0-or-later
#include "status_tables.h"

StatusTables::StatusTables()
{
    constexpr Rgb white{255, 255, 255};
    m_colours = {Rgb{255, 255, 255},
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
    for (int status = FmsStatus::Lowest; status <= FmsStatus::HighestCommand; ++status)
        m_texts[status] = {QString::fromUtf16(fromVehicle[status]),
                           QString::fromUtf16(toVehicle[status])};
    m_texts[FmsStatus::Speaking] = {QStringLiteral("Quittung"), QStringLiteral("Quittung")};
}

const QString& StatusTables::text(int status, FmsDirection direction) const
{
    return m_texts.at(status)[direction == FmsDirection::ToVehicle];
}

void StatusTables::setText(int status, FmsDirection direction, const QString& text)
{
    m_texts.at(status)[direction == FmsDirection::ToVehicle] = text;
}

Rgb StatusTables::colour(int index) const
{
    return m_colours.at(index);
}

Rgb StatusTables::lineColour(int status, FmsDirection direction) const
{
    if (status == FmsStatus::TextTelegram || direction == FmsDirection::FromVehicle)
        return colour(status);
    return colour(ToVehicleColour);
}
