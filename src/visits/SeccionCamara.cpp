#include "SeccionCamara.h"

#include "FotoVisita.h"
#include "foundation/Contexto.h"
#include "foundation/FechasTexto.h"
#include "platform/CamaraQt.h"
#include "platform/Dialogos.h"
#include "platform/Formularios.h"
#include "platform/Imagenes.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kCRLF2 = QStringLiteral("\r\n\r\n");

} // namespace

SeccionCamara::SeccionCamara(Contexto& ctx, QLineEdit* nombreVisitante, QWidget* panel)
    : QWidget(panel), ctx_(ctx), nombreVisitante_(nombreVisitante), panel_(panel)
{
    setObjectName(QStringLiteral("SeccionCamara"));
    btnIniciarCamara = new QPushButton(ctx_.texto(154), this);
    btnIniciarCamara->setObjectName(QStringLiteral("btnIniciarCamara"));
    btnTomarFoto = new QPushButton(ctx_.texto(156), this);
    btnTomarFoto->setObjectName(QStringLiteral("btnTomarFoto"));
    chkActivarMovimientoImagen = casilla("chkActivarMovimientoImagen");
    chkTomarFotoAgregar = casilla("chkTomarFotoAgregar");
    lblActivarMovimientoImagen =
        etiqueta("lblActivarMovimientoImagen", 144, chkActivarMovimientoImagen);
    lblTomarFotoAgregar = etiqueta("lblTomarFotoAgregar", 145, chkTomarFotoAgregar);
    Image1 = cuadroImagen("Image1");
    Picture1 = cuadroImagen("Picture1");
    Picture1->hide();
    Timer2 = new QTimer(this);
    Timer2->setInterval(50);
    disponer();

    connect(btnIniciarCamara, &QPushButton::clicked, this, &SeccionCamara::alPulsarCamara);
    connect(btnTomarFoto, &QPushButton::clicked, this, &SeccionCamara::tomarFoto);
    connect(chkActivarMovimientoImagen, &QCheckBox::toggled, this,
            [this](bool marcada) { marcada ? Timer2->start() : Timer2->stop(); });
    connect(Timer2, &QTimer::timeout, this, &SeccionCamara::alTemporizador);
    // The camera is let go however the panel closes.
    panel_->installEventFilter(this);

    const bool fotos = ctx_.cfg.TomarFotografia;
    setVisible(fotos);
    if (fotos) {
        PonerFondo(panel_, ctx_.carpetaPrograma(), QStringLiteral("img/fondo8_cam.jpg"));
        btnTomarFoto->setIcon(
            CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/tomar_foto.ico")));
    }
}

SeccionCamara::~SeccionCamara()
{
    apagar();
}

QCheckBox* SeccionCamara::casilla(const char* nombre)
{
    return Casilla(this, QString::fromLatin1(nombre));
}

QLabel* SeccionCamara::etiqueta(const char* nombre, int slot, QCheckBox* casilla)
{
    return RotuloCasilla(this, QString::fromLatin1(nombre), ctx_.texto(slot), casilla);
}

QLabel* SeccionCamara::cuadroImagen(const char* nombre)
{
    auto* imagen = new QLabel(this);
    imagen->setObjectName(QString::fromLatin1(nombre));
    imagen->setFixedSize(kTamanoFoto);
    imagen->setFrameShape(QFrame::Box);
    imagen->installEventFilter(this);
    return imagen;
}

void SeccionCamara::disponer()
{
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(Image1);
    capa->addWidget(Picture1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(btnIniciarCamara);
    botones->addWidget(btnTomarFoto);
    capa->addLayout(botones);
    for (auto [c, e] : {std::pair(chkActivarMovimientoImagen, lblActivarMovimientoImagen),
                        std::pair(chkTomarFotoAgregar, lblTomarFotoAgregar)}) {
        auto* fila = new QHBoxLayout;
        fila->addWidget(c);
        fila->addWidget(e);
        fila->addStretch();
        capa->addLayout(fila);
    }
    capa->addStretch();
}

Camara& SeccionCamara::camara()
{
    if (!camara_)
        camara_ = ctx_.crearCamara ? ctx_.crearCamara() : std::make_shared<CamaraQt>();
    return *camara_;
}

void SeccionCamara::alPulsarCamara()
{
    encendida_ ? apagar() : encender();
}

void SeccionCamara::encender()
{
    // No camera: the same report as a picture that could not be obtained.
    if (!camara().encender())
        return avisarSinImagen();
    encendida_ = true;
    btnIniciarCamara->setText(ctx_.texto(155));
}

void SeccionCamara::apagar()
{
    if (camara_ && encendida_)
        camara_->apagar();
    encendida_ = false;
    btnIniciarCamara->setText(ctx_.texto(154));
}

void SeccionCamara::alTemporizador()
{
    const QImage cuadro = encendida_ ? camara().cuadro() : QImage();
    if (cuadro.isNull())
        return;
    const QPixmap imagen = QPixmap::fromImage(cuadro);
    Picture1->setPixmap(imagen);
    Image1->setPixmap(imagen);
}

void SeccionCamara::alAgregar()
{
    if (ctx_.cfg.TomarFotografia && chkTomarFotoAgregar->isChecked())
        tomarFoto();
}

bool SeccionCamara::tomarFoto()
{
    if (tomando_)
        return false;
    const QString nombre = nombreVisitante_->text();
    if (nombre.isEmpty()) {
        ctx_.dialogos.informar(this, ctx_.texto(172));
        nombreVisitante_->setFocus();
        return false;
    }
    if (!encendida_) {
        emit momentoFoto({});
        ctx_.dialogos.advertir(this, ctx_.idioma.mensaje(QStringLiteral("XCamaraApagada")),
                               ctx_.texto(175));
        return false;
    }
    const QString carpeta = CarpetaFotos(ctx_.carpetaDatos());
    QDir().mkpath(carpeta); // a failure shows as the save's
    const QDateTime momento = ctx_.reloj.ahora();
    const QString ruta =
        RutaFotoLibre(carpeta, NombreFotoVisita(momento, ctx_.cfg.PuntoControl, nombre));
    tomando_ = true;
    const Camara::Resultado resultado = camara().tomarFoto(ruta, kEsperaFoto);
    tomando_ = false;
    chkActivarMovimientoImagen->setChecked(false);
    if (resultado.fallo == Camara::Fallo::SinCamara ||
        resultado.fallo == Camara::Fallo::SinImagen) {
        // Unplugged while on: the guard switches it on again once it is back.
        if (resultado.fallo == Camara::Fallo::SinCamara)
            apagar();
        emit momentoFoto({});
        avisarSinImagen();
        return false;
    }
    if (!resultado) {
        emit momentoFoto({});
        ctx_.registrar(
            QStringLiteral("Se produjo un error al intentar guardar la imagen desde Tomar Imagen"));
        ctx_.dialogos.advertir(
            this, ctx_.texto(176) + kCRLF2 + ctx_.texto(177) + kCRLF2 + ctx_.texto(178),
            ctx_.texto(179));
        return false;
    }
    ctx_.registrar(QStringLiteral("Se toma la imagen correctamente"));
    mostrarFoto(ruta);
    emit momentoFoto(TextoFechaFoto(momento));
    ctx_.dialogos.informar(this, ctx_.texto(180), ctx_.texto(181));
    return true;
}

void SeccionCamara::avisarSinImagen()
{
    ctx_.registrar(QStringLiteral("Se produjo un error al obtener la imagen desde Tomar Imagen"));
    ctx_.dialogos.advertir(this, ctx_.texto(173) + kCRLF2 + ctx_.texto(174), ctx_.texto(175));
}

void SeccionCamara::mostrarFoto(const QString& ruta)
{
    const QPixmap foto(ruta);
    Picture1->setPixmap(foto);
}

bool SeccionCamara::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == panel_) {
        if (evento->type() == QEvent::Close)
            apagar();
        return false;
    }
    if (evento->type() != QEvent::MouseButtonRelease)
        return false;
    // The guard switches between the live view and the last frame grabbed.
    if (objeto == Image1 || objeto == Picture1) {
        Picture1->setVisible(objeto == Image1);
        Image1->setVisible(objeto == Picture1);
        return true;
    }
    return false;
}
