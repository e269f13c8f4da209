#pragma once

#include "controls/ImageControl.h"
#include "controls/LineControl.h"
#include "controls/PictureBox.h"
#include "platform/Forms.h"

#include <QTimer>
#include <QWidget>

#include <string>

class ClockLook;
class LookSettings;
class Module1;

// The clock itself: a frameless window cut to the outline of the clock body,
// with the face picture and three hands that follow the local time. The mouse
// drags it, locks it, opens the options dialog and quits it.
class frmClock final : public QWidget
{
    Q_OBJECT

public:
    frmClock(Module1& module, Forms& forms, const LookSettings& settings);
    ~frmClock() override;

    void Form_Load();

    PictureBox& pic1() { return *m_pic1; }
    QTimer& Timer1() { return *m_timer1; }
    ImageControl& ImageBG() { return m_imageBG; }
    LineControl& Line1() { return m_line1; }
    LineControl& Line2() { return m_line2; }
    ImageControl& ImageClose() { return m_imageClose; }
    ImageControl& ImageLock() { return m_imageLock; }
    LineControl& Line3() { return m_line3; }
    ImageControl& Image_SmallAlarm() { return m_imageSmallAlarm; }

    bool ClockLocked() const { return m_clockLocked; }

    // The first tick comes this long after start-up; each later one this long
    // after a new second has begun.
    static constexpr int FirstTickMs = 100;

    void Timer1_Timer();
    // Timer1's expiry: the tick, then the timer set for the next new second.
    void Timer1_Elapsed();

    void pic1_MouseDown(int button);
    void ImageBG_MouseDown(int button);
    void ImageLock_Click();
    void ImageClose_Click();
    void Image_SmallAlarm_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Unload();
    void DragClock();
    void showFace();
    std::string timeText() const;

    Module1& m_module;
    Forms& m_forms;
    const LookSettings& m_settings;
    ClockLook& m_look;
    PictureBox* m_pic1;
    QTimer* m_timer1;
    // Declared bottom to top: the order in which the box paints them.
    ImageControl m_imageBG;
    LineControl m_line1;
    LineControl m_line2;
    ImageControl m_imageClose;
    ImageControl m_imageLock;
    LineControl m_line3;
    ImageControl m_imageSmallAlarm;
    bool m_clockLocked = false;
};
