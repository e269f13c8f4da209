#pragma once

#include <QString>

#include <cstdint>

class ClockLook;
class Module1;

// The clock's look as setting.ini keeps it: read once as the clock starts,
// and each change the options dialog makes applied and written at once, one
// key at a time. Nothing else reads or writes the look's entries.
class LookSettings final
{
public:
    LookSettings(const Module1& module, ClockLook& look);

    ClockLook& look() const { return m_look; }

    // Face, colours, thickness and window mode, in this order. What the file
    // lacks, or holds in a form the clock cannot use, leaves the built-in look.
    void read() const;

    void changeColor(int hand, std::uint32_t color) const;
    void changeHandWidth(int width) const;
    void changeTopmost(bool topmost) const;
    // Stored apart from showing it: a chosen file that is no picture is
    // stored all the same, and going back to the default face stores none
    // before the default picture is tried.
    void storeFace(const QString& location) const;
    // Colours, thickness and window mode back to their defaults. The colours
    // are stored as none, so each hand has its built-in colour at the next start.
    void resetHands() const;

private:
    const Module1& m_module;
    ClockLook& m_look;
};
