#pragma once

class CommonDialog;
class Launcher;
class MsgBox;
class Registry;
class SoundPlayer;
class TimeSource;
class WindowSystem;

// The services the windows reach the desktop through; the program passes the
// real ones, tests pass fakes.
struct Platform
{
    TimeSource& time;
    SoundPlayer& sound;
    WindowSystem& windows;
    MsgBox& msgBox;
    CommonDialog& dialogs;
    Launcher& launcher;
    Registry& registry;
};
