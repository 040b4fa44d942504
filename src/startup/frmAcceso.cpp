#include "frmAcceso.h"

#include "Acceso.h"
#include "foundation/Contexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Imagenes.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

frmAcceso::frmAcceso(Contexto& ctx, QWidget* padre) : QWidget(padre), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmAcceso"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/acceso.ico")));

    fondo_ = new QLabel(this);
    fondo_->setScaledContents(true);

    imgEs = crearBandera("imgEs", QStringLiteral("es"), QStringLiteral("Idioma España"), 0);
    imgCo = crearBandera("imgCo", QStringLiteral("co"), QStringLiteral("Idioma Colombia"), 1);
    imgUs =
        crearBandera("imgUs", QStringLiteral("us"), QStringLiteral("United States Language"), 2);
    imgEn = crearBandera("imgEn", QStringLiteral("en"), QStringLiteral("England Language"), 3);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(RectTwips(240, 300, 1100, 300));
    txtUsr = new QLineEdit(this);
    txtUsr->setObjectName(QStringLiteral("txtUsr"));
    txtUsr->setGeometry(RectTwips(1380, 260, 1860, 360));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(RectTwips(240, 840, 1100, 300));
    txtPwd = new QLineEdit(this);
    txtPwd->setObjectName(QStringLiteral("txtPwd"));
    txtPwd->setEchoMode(QLineEdit::Password);
    txtPwd->setGeometry(RectTwips(1380, 800, 1860, 360));
    btnAceptarAcceso = new QPushButton(this);
    btnAceptarAcceso->setObjectName(QStringLiteral("btnAceptarAcceso"));
    btnAceptarAcceso->setGeometry(RectTwips(1380, 1380, 1860, 450));
    // Each caption names its field for assistive technology.
    Label1->setBuddy(txtUsr);
    Label2->setBuddy(txtPwd);
    setTabOrder(txtUsr, txtPwd);
    setTabOrder(txtPwd, btnAceptarAcceso);

    connect(btnAceptarAcceso, &QPushButton::clicked, this, &frmAcceso::intentarAcceso);
    // Enter in either field tries the login with whatever the other one holds.
    connect(txtUsr, &QLineEdit::returnPressed, this, &frmAcceso::intentarAcceso);
    connect(txtPwd, &QLineEdit::returnPressed, this, &frmAcceso::intentarAcceso);
    mostrarCamposAcceso(false);
}

QLabel* frmAcceso::crearBandera(const char* nombre, const QString& codigo, const QString& ayuda,
                                int orden)
{
    auto* bandera = new QLabel(this);
    bandera->setObjectName(QString::fromLatin1(nombre));
    bandera->setProperty("codigoIdioma", codigo);
    bandera->setToolTip(ayuda);
    bandera->setCursor(Qt::PointingHandCursor);
    bandera->setPixmap(
        CargarImagen(ctx_.carpetaPrograma(), QStringLiteral("img/%1.jpg").arg(codigo)));
    bandera->setGeometry(RectTwips(120 + 1200 * orden, 120, 960, 600));
    bandera->setScaledContents(true);
    bandera->installEventFilter(this);
    bandera->hide();
    return bandera;
}

bool frmAcceso::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::MouseButtonRelease) {
        const QString codigo = objeto->property("codigoIdioma").toString();
        if (!codigo.isEmpty() && static_cast<QWidget*>(objeto)->isVisible()) {
            IdiomaEscribir(codigo);
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void frmAcceso::mostrarCamposAcceso(bool visibles)
{
    for (QWidget* control : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
                             static_cast<QWidget*>(txtUsr), static_cast<QWidget*>(txtPwd),
                             static_cast<QWidget*>(btnAceptarAcceso)})
        control->setVisible(visibles);
}

void frmAcceso::ponerFondo(int anchoTwips, int altoTwips)
{
    move(0, 0);
    setFixedSize(Px(anchoTwips), Px(altoTwips));
    fondo_->setPixmap(CargarImagen(ctx_.carpetaPrograma(), QStringLiteral("img/fondo1.jpg")));
    fondo_->setGeometry(rect());
    fondo_->lower();
}

void frmAcceso::cargar()
{
    if (!LeerArchivoIdioma(ctx_.carpetaPrograma(), &ctx_.codigoIdioma)) {
        ctx_.registrar(QStringLiteral("Archivo de idioma no existe"));
        ponerFondo(4860, 1800);
        setWindowTitle(QString());
        for (QLabel* bandera : {imgEs, imgCo, imgUs, imgEn})
            bandera->show();
        show();
        return;
    }
    ctx_.registrar(QStringLiteral("Archivo de idioma existe"));
    AccesoPrograma();
}

void frmAcceso::IdiomaEscribir(const QString& codigo)
{
    QString error;
    if (!EscribirArchivoIdioma(ctx_.carpetaPrograma(), codigo, &error)) {
        // The choice still holds for this run; the flags come back next start.
        // Said in the language just chosen, whose tables load only afterwards.
        TablasIdioma elegido;
        CargarTablasIdioma(codigo, &elegido);
        ctx_.dialogos.advertir(this, elegido.mensaje(QStringLiteral("XIdiomaNoGuardado")) +
                                         QStringLiteral("\r\n\r\n") + ctx_.carpetaPrograma() +
                                         u'/' + kArchivoIdioma + QStringLiteral("\r\n") + error);
    }
    ctx_.registrar(QStringLiteral("Se predetermina el idioma: ") + codigo);
    ctx_.codigoIdioma = codigo;
    AccesoPrograma();
}

void frmAcceso::AccesoPrograma()
{
    CargarTablasIdioma(ctx_.codigoIdioma, &ctx_.idioma);
    emit idiomaCargado(ctx_.codigoIdioma);
    ctx_.registrar(QStringLiteral("Se carga el idioma: ") + ctx_.codigoIdioma +
                   QStringLiteral(". Inicia el programa."));
    for (QLabel* bandera : {imgEs, imgCo, imgUs, imgEn})
        bandera->hide();
    ponerFondo(3480, 2445);
    setWindowTitle(ctx_.texto(0));
    Label1->setText(ctx_.texto(1));
    Label2->setText(ctx_.texto(2));
    btnAceptarAcceso->setText(ctx_.texto(3));
    mostrarCamposAcceso(true);
    show();
    txtUsr->setFocus();
    intentosFallidos_ = 0;
    leerConfiguracion();
}

bool frmAcceso::leerConfiguracion()
{
    switch (ctx_.LeerConfiguracion()) {
    case LecturaConfiguracion::Correcta:
        return true;
    case LecturaConfiguracion::NoExiste:
        ctx_.dialogos.advertir(this, ctx_.texto(4), ctx_.texto(5));
        break;
    case LecturaConfiguracion::SinPuntoControl:
        ctx_.dialogos.advertir(this, ctx_.texto(6), ctx_.texto(5));
        break;
    }
    ctx_.pedirFin(1);
    return false;
}

void frmAcceso::intentarAcceso()
{
    if (ctx_.finPedido())
        return;
    const QString sr = txtUsr->text();
    const QString dw = txtPwd->text();
    std::optional<UsuarioActual> usuario;
    const bool consultado =
        AccionBD(ctx_, this, [&](BaseDatos& bd) { usuario = BuscarUsuario(bd, sr, dw); });
    if (!consultado)
        return; // the database failed: not an attempt of the user's
    if (!usuario) {
        ++intentosFallidos_;
        if (intentosFallidos_ <= kIntentosMaximos)
            ctx_.registrar(TextoIntentoFallido(intentosFallidos_, sr));
        if (intentosFallidos_ >= kIntentosMaximos)
            ctx_.pedirFin(2);
        return;
    }
    ctx_.usuario = *usuario;
    ctx_.registrar(QStringLiteral("Ingresa al programa"));
    accesoConcedido_ = true;
    close();
    emit accesoConcedido();
}

void frmAcceso::closeEvent(QCloseEvent* evento)
{
    ctx_.registrar(QStringLiteral("Se produce Unload en la ventana de Acceso"));
    evento->accept();
    // Closing the login window without logging in ends the program.
    if (!accesoConcedido_)
        ctx_.pedirFin(0);
}
