#pragma once

#include <QtGlobal>

#include <optional>

// The drag in the calendar: it rests until a mouse button goes down on a day cell, picks up the
// task under the pointer at the first move, and rests again after the release and after every
// calendar build.
class Ziehzustand
{
public:
    // At rest: no button down on a day cell.
    constexpr Ziehzustand() = default;
    // A button went down on a day cell and no task is picked up yet.
    static constexpr Ziehzustand Gedrueckt() { return {Phase::Gedrueckt, 0}; }
    // The task `nummer` is being dragged.
    static constexpr Ziehzustand Zieht(qint32 nummer) { return {Phase::Zieht, nummer}; }

    constexpr bool Ruht() const { return m_phase == Phase::Ruhe; }
    constexpr bool IstGedrueckt() const { return m_phase == Phase::Gedrueckt; }
    // The Nummer of the dragged task; none while no task is dragged.
    constexpr std::optional<qint32> Aufgabe() const
    {
        return m_phase == Phase::Zieht ? std::optional<qint32>(m_nummer) : std::nullopt;
    }

    constexpr bool operator==(const Ziehzustand&) const = default;

private:
    enum class Phase
    {
        Ruhe,
        Gedrueckt,
        Zieht
    };
    constexpr Ziehzustand(Phase phase, qint32 nummer) : m_phase(phase), m_nummer(nummer) {}

    Phase m_phase = Phase::Ruhe;
    qint32 m_nummer = 0;
};
