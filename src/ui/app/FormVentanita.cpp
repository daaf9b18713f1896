#include "app/FormVentanita.h"

#include "settings/comun.h"
#include "view/Twips.h"

#include <QIcon>
#include <QLabel>

namespace
{
// Where the preview opens and how big its client area is, in 1/1440 inch.
constexpr double LeftTwips = 10245;
constexpr double TopTwips = 1005;
constexpr double ClientWidthTwips = 4395;
constexpr double ClientHeightTwips = 2820;
} // namespace

FormVentanita::FormVentanita(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      m_image(new QLabel(this))
{
    setObjectName(QStringLiteral("FormVentanita"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tesselon"));
    cargarIcono();
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setScaledContents(true);
    const int width = qRound(Twips::toPixelsX(ClientWidthTwips));
    const int height = qRound(Twips::toPixelsY(ClientHeightTwips));
    setFixedSize(width, height);
    move(qRound(Twips::toPixelsX(LeftTwips)), qRound(Twips::toPixelsY(TopTwips)));
    alwaysOnTop(true);
}

void FormVentanita::cargarIcono()
{
    setWindowIcon(comun::windowIcon());
}

void FormVentanita::cargarImagen(const QImage &picture, const QSize &sourceSize)
{
    cargarIcono();
    const int width = this->width();
    // The image keeps the proportions of the puzzle's own picture, even when the dialog
    // now holds another one.
    int height = width;
    if (sourceSize.width() > 0)
        height = qMax(1, qRound(double(sourceSize.height()) * width / sourceSize.width()));
    m_image->setGeometry(0, 0, width, height);
    m_image->setPixmap(QPixmap::fromImage(picture));
    setFixedSize(width, height);
}

void FormVentanita::alwaysOnTop(bool aOnTop)
{
    // Changing the hint re-creates the native window; keep where it stands.
    const QPoint where = pos();
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, aOnTop);
    move(where);
    if (wasVisible)
        show();
}
