#pragma once

#include "platform/Registry.h"

#include <QDialog>

#include <array>
#include <optional>

class Forms;
class Module1;
class QLabel;
class QPushButton;

// The About window: the program's name, version and requirements, a link to
// the maker's web page and a button that starts the system-information tool.
// Not modal; one at a time; it keeps nothing.
class frmAbout final : public QDialog
{
    Q_OBJECT

public:
    frmAbout(Module1& module, Forms& forms);
    ~frmAbout() override;

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();
    // Reads one registry value as text into KeyVal; false, with KeyVal empty,
    // when the key or the value cannot be read. No result at all when the
    // value has no bytes: reading it is the runtime's error, which the caller's
    // error trap takes rather than treating it as not found.
    std::optional<bool> GetKeyValue(Registry::HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                                    QString& KeyVal) const;
    void Label3_Click();
    void Label3_MouseMove();
    void Form_MouseMove();

    QLabel& Image1() const { return *m_image1; }
    QLabel& lblTitle() const { return *m_lblTitle; }
    QLabel& lblVersion(int index) const { return *m_lblVersion.at(static_cast<std::size_t>(index)); }
    // The link is element 2 of its control array, and the only one.
    QLabel& Label3(int index) const { return *m_label3.at(static_cast<std::size_t>(index - 2)); }
    QPushButton& cmdOK() const { return *m_cmdOK; }

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setLinkFramed(bool framed);
    void sysInfoUnavailable() const;

    Module1& m_module;
    Forms& m_forms;
    // Declared in the order they are created, which is also the tab order.
    QLabel* m_image1;
    QLabel* m_lblTitle;
    std::array<QLabel*, 5> m_lblVersion;
    std::array<QLabel*, 1> m_label3;
    QLabel* m_lblDisclaimer;
    QLabel* m_labelWarning;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdSysInfo;
};
