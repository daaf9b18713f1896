#include "about/FormAcercaDe.h"

#include "Version.h"
#include "about/KeyStore.h"
#include "platform/Messages.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

namespace
{
const char *const Ctx = "FormAcercaDe";
const QString Title = QStringLiteral("Tesselon");
} // namespace

FormAcercaDe::FormAcercaDe(const KeyStore &keys, QWidget *parent)
    : QDialog(parent), m_keys(keys),
      m_starter([](const QString &program) { return QProcess::startDetached(program, {}); }),
      picIcon(new QLabel(this)), lblTitle(new QLabel(this)), lblVersion(new QLabel(this)),
      Label1(new QLabel(this)), cmdOK(new QPushButton(this)), cmdSysInfo(new QPushButton(this))
{
    setObjectName(QStringLiteral("FormAcercaDe"));
    setAttribute(Qt::WA_DeleteOnClose);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    Label1->setObjectName(QStringLiteral("Label1"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    Label1->setWordWrap(true);
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *layout = new QGridLayout(this);
    layout->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1, 1, 2);
    layout->addWidget(lblVersion, 1, 1, 1, 2);
    layout->addWidget(Label1, 2, 1, 1, 2);
    layout->addWidget(line, 3, 0, 1, 3);
    layout->addWidget(cmdOK, 4, 2);
    layout->addWidget(cmdSysInfo, 5, 2);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(420);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdSysInfo, &QPushButton::clicked, this, &FormAcercaDe::StartSysInfo);
    cmdOK->setDefault(true);

    cargarIcono();
    applyTexts();
}

QString FormAcercaDe::contactAddress()
{
    return QStringLiteral("comentarios@tesselon.example");
}

void FormAcercaDe::cargarIcono()
{
    const QIcon icon = comun::windowIcon();
    setWindowIcon(icon);
    picIcon->setPixmap(icon.pixmap(32, 32));
}

void FormAcercaDe::applyTexts()
{
    const QString version = QStringLiteral("%1.%2.%3")
                                .arg(TesselonVersion::major)
                                .arg(TesselonVersion::minor)
                                .arg(TesselonVersion::revision);
    setWindowTitle(ModuloIdioma::text(Ctx, "About %1").arg(Title));
    lblVersion->setText(ModuloIdioma::text(Ctx, "Version %1").arg(version));
    lblTitle->setText(Title);
    Label1->setText(ModuloIdioma::text(
                        Ctx, "For comments, suggestions, bug reporting etc. you are welcomed to write to ") +
                    contactAddress());
    cmdOK->setText(ModuloIdioma::text(Ctx, "OK"));
    cmdSysInfo->setText(ModuloIdioma::text(Ctx, "System Info..."));
}

void FormAcercaDe::StartSysInfo()
{
    QString path;
    bool started = false;
    if (m_keys.GetKeyValue(KeyStore::LocalMachine, KeyStore::SysInfoKey, QStringLiteral("PATH"), path)) {
        started = m_starter(path);
    } else if (m_keys.GetKeyValue(KeyStore::LocalMachine, KeyStore::SysInfoLocationKey,
                                  QStringLiteral("MSINFO"), path)) {
        const QString program = path + QStringLiteral("/MSINFO32.EXE");
        started = QFileInfo(program).isFile() && m_starter(program);
    }
    if (!started)
        Messages::show(this, QStringLiteral("La información del sistema no está disponible en este momento"));
}
