#pragma once

#include "controls/ImageControl.h"
#include "controls/LineControl.h"
#include "options/AlarmTab.h"

#include <QDialog>

#include <array>

class ClockLook;
class ComboBox;
class Forms;
class LookSettings;
class Module1;
class PictureBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTimer;
class TabStrip;

// The options dialog: four pages behind a tab strip and a status bar with the
// time, the date and the weekday. Not modal; one at a time; everything it
// changes is applied at once, so closing it saves or undoes nothing.
class frmOption final : public QDialog
{
    Q_OBJECT

public:
    frmOption(Module1& module, Forms& forms, const LookSettings& settings);
    ~frmOption() override;

    void Form_Load();
    void TabStrip1_Click();
    void Timer_Statusbar_Timer();

    // "Option" page.
    void Text_line1_Click();
    void Text_line2_Click();
    void Text_line3_Click();
    void Cmd_HandsDefault_Click();
    void Combo_Border_Click();
    void Combo_ClockInterface_Click();
    void Cmd_time_Click();

    // "Background" and "About" pages.
    void Cmd_ChangePic_Click();
    void Cmd_Default_Click();
    void Cmd_Help_Click();
    void Cmd_About_Click();

    TabStrip& TabStrip1() const { return *m_tabStrip1; }
    PictureBox& PicOption(int index) const { return *m_picOption.at(static_cast<std::size_t>(index)); }
    QStatusBar& StatusBar1() const { return *m_statusBar1; }
    QLabel& Panel(int index) const { return *m_panels.at(static_cast<std::size_t>(index - 1)); }
    QTimer& Timer_Statusbar() const { return *m_timerStatusbar; }
    const QString& CommonDialog1Filter() const { return m_commonDialogFilter; }
    // The colour the colour dialog last returned while this window is loaded.
    std::uint32_t CommonDialog1Color() const { return m_commonDialogColor; }

    // "Option" page.
    QLineEdit& Text_line1() const { return *m_textLine1; }
    QLineEdit& Text_line2() const { return *m_textLine2; }
    QLineEdit& Text_line3() const { return *m_textLine3; }
    QPushButton& Cmd_HandsDefault() const { return *m_cmdHandsDefault; }
    ComboBox& Combo_Border() const { return *m_comboBorder; }
    ComboBox& Combo_ClockInterface() const { return *m_comboClockInterface; }
    LineControl& Line1() { return m_line1; }
    LineControl& Line2() { return m_line2; }
    LineControl& Line3() { return m_line3; }
    QPushButton& Cmd_time() const { return *m_cmdTime; }

    // "Alarm" page.
    AlarmTab& alarmTab() { return m_alarmTab; }
    ComboBox& Combo_Hour() const { return m_alarmTab.Combo_Hour(); }
    ComboBox& Combo_Min() const { return m_alarmTab.Combo_Min(); }
    ImageControl& Image_Alarm() { return m_alarmTab.Image_Alarm(); }
    QPushButton& Cmd_Alarm() const { return m_alarmTab.Cmd_Alarm(); }

    // "Background" and "About" pages.
    QPushButton& Cmd_ChangePic() const { return *m_cmdChangePic; }
    QPushButton& Cmd_Default() const { return *m_cmdDefault; }
    QPushButton& Cmd_Help() const { return *m_cmdHelp; }
    QPushButton& Cmd_About() const { return *m_cmdAbout; }

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void chooseHandColor(int hand);
    void showHandColor(int hand, std::uint32_t color);
    void showHandWidth(int clockWidth);

    Module1& m_module;
    Forms& m_forms;
    const LookSettings& m_settings;
    ClockLook& m_look;
    TabStrip* m_tabStrip1;
    std::array<PictureBox*, 4> m_picOption;
    QStatusBar* m_statusBar1;
    std::array<QLabel*, 3> m_panels;
    QTimer* m_timerStatusbar;
    QString m_commonDialogFilter;
    std::uint32_t m_commonDialogColor = 0;

    // Hour, Min, Sec: the keyboard's order, though they stand the other way round.
    QLineEdit* m_textLine1;
    QLineEdit* m_textLine2;
    QLineEdit* m_textLine3;
    QPushButton* m_cmdHandsDefault;
    ComboBox* m_comboBorder;
    ComboBox* m_comboClockInterface;
    // Declared bottom to top: the sample clock's hands lie over its picture.
    ImageControl m_image3;
    LineControl m_line1;
    LineControl m_line2;
    LineControl m_line3;
    LineControl m_line4_0;
    LineControl m_line4_1;
    QPushButton* m_cmdTime;
    ImageControl m_image1;

    AlarmTab m_alarmTab;

    QPushButton* m_cmdChangePic;
    QPushButton* m_cmdDefault;
    QPushButton* m_cmdHelp;
    QPushButton* m_cmdAbout;
};
