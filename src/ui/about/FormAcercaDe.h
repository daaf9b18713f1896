#pragma once

#include <QDialog>

#include <functional>

class KeyStore;
class QLabel;
class QPushButton;

// The About box: title, version, an invitation to write, and a button that starts the
// desktop's system-information program.
class FormAcercaDe : public QDialog
{
    Q_OBJECT
public:
    // Starts a program detached with a normal window; false when it could not start.
    using Starter = std::function<bool(const QString &program)>;

    FormAcercaDe(const KeyStore &keys, QWidget *parent = nullptr);

    void StartSysInfo();
    void setStarter(Starter starter) { m_starter = std::move(starter); }

    static QString contactAddress();

private:
    void cargarIcono();
    void applyTexts();

    const KeyStore &m_keys;
    Starter m_starter;
    QLabel *picIcon;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *Label1;
    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;
};
