#include "frmNuevoCenso.h"

#include "ValidacionCenso.h"
#include "foundation/Contexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Formularios.h"
#include "platform/Imagenes.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

QString Nombre(const char* base, int fila)
{
    return QString::fromLatin1(base) + QString::number(fila + 1);
}

// A column heading over its fields; a screen reader names the first field by it.
QLabel* Encabezado(QGridLayout* rejilla, int columna, const QString& texto, QWidget* campo,
                   const char* nombre, int ancho = 1)
{
    auto* etiqueta = new QLabel(texto);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    etiqueta->setBuddy(campo);
    rejilla->addWidget(etiqueta, 0, columna, 1, ancho);
    return etiqueta;
}

void Reescribir(QLineEdit* campo, const QString& texto)
{
    if (campo->text() != texto)
        campo->setText(texto);
}

} // namespace

frmNuevoCenso::frmNuevoCenso(Contexto& ctx, std::optional<int> idCenso, QWidget* llamador)
    : QDialog(llamador), ctx_(ctx), idCenso_(idCenso)
{
    setObjectName(QStringLiteral("frmNuevoCenso"));
    setWindowTitle(ctx_.texto(idCenso_ ? 200 : 353));
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/nuevo_censo.ico")));
    crearCampos();
    colocar();
    PonerFondo(this, ctx_.carpetaPrograma(), QStringLiteral("img/fondo1.jpg"));

    const QStringList tipos{QStringLiteral(" "), ctx_.texto(197), ctx_.texto(198), ctx_.texto(199)};
    for (int fila = 0; fila < kFilas; ++fila) {
        comTipoUsu[fila]->addItems(tipos);
        connect(comTipoUsu[fila], &QComboBox::currentIndexChanged, this,
                [this, fila](int posicion) { elegirTipo(fila, posicion); });
        elegirTipo(fila, 0);
    }
    connect(txtNotas, &QPlainTextEdit::textChanged, this, &frmNuevoCenso::limitarNotas);
    connect(btnAgregarCenso, &QPushButton::clicked, this, &frmNuevoCenso::agregarCenso);
    connect(btnModificarCenso, &QPushButton::clicked, this, &frmNuevoCenso::modificarCenso);
    connect(btnEliminarCenso, &QPushButton::clicked, this, &frmNuevoCenso::eliminarCenso);

    btnAgregarCenso->setVisible(!idCenso_);
    btnModificarCenso->setVisible(idCenso_ && ctx_.permisos.tiene(Permiso::ModificarCenso));
    btnEliminarCenso->setVisible(idCenso_ && ctx_.permisos.tiene(Permiso::EliminarCenso));
}

void frmNuevoCenso::crearCampos()
{
    // Created in tab order: the unit, then each resident's row, each vehicle's row.
    txtNomUnidad = Campo(this, QStringLiteral("txtNomUnidad"), 30);
    txtNumInmueble = Campo(this, QStringLiteral("txtNumInmueble"), 6);
    txtTorre = Campo(this, QStringLiteral("txtTorre"), 4);
    txtTfnoInmueble = Campo(this, QStringLiteral("txtTfnoInmueble"), 10);
    for (int fila = 0; fila < kFilas; ++fila) {
        txtNombre[fila] = Campo(this, Nombre("txtNombre", fila), 20);
        txtApe1[fila] = Campo(this, Nombre("txtApe1_", fila), 20);
        txtApe2[fila] = Campo(this, Nombre("txtApe2_", fila), 20);
        txtTipoUsu[fila] = Campo(this, Nombre("txtTipoUsu", fila), 30);
        txtTipoUsu[fila]->setReadOnly(true);
        comTipoUsu[fila] = new QComboBox(this);
        comTipoUsu[fila]->setObjectName(Nombre("comTipoUsu", fila));
        comTipoUsu[fila]->setAccessibleName(ctx_.texto(211));
    }
    for (int fila = 0; fila < kFilas; ++fila) {
        txtVehPlaca[fila] = Campo(this, Nombre("txtVehPlaca", fila), 10);
        txtVehDescr[fila] = Campo(this, Nombre("txtVehDescr", fila), 30);
        txtVehTipo[fila] = Campo(this, Nombre("txtVehTipo", fila), 20);
    }
    txtNotas = new QPlainTextEdit(this);
    txtNotas->setObjectName(QStringLiteral("txtNotas"));
    txtNotas->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtNotas->setTabChangesFocus(true);

    const auto boton = [this](const char* nombre, const char* icono, int slot) {
        auto* b = new QPushButton(CargarIcono(ctx_.carpetaPrograma(), QString::fromLatin1(icono)),
                                  ctx_.texto(slot), this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setAutoDefault(false);
        return b;
    };
    btnModificarCenso = boton("btnModificarCenso", "ico/modificar.ico", 219);
    btnAgregarCenso = boton("btnAgregarCenso", "ico/guardar.ico", 218);
    btnEliminarCenso = boton("btnEliminarCenso", "ico/eliminar.ico", 220);

    // Leaving any field brings every field to the form's letter case.
    for (QWidget* campo : findChildren<QLineEdit*>())
        campo->installEventFilter(this);
    txtNotas->installEventFilter(this);
}

void frmNuevoCenso::colocar()
{
    auto* unidad = new QGridLayout;
    Encabezado(unidad, 0, ctx_.texto(204), txtNomUnidad, "lblNomUnidad");
    Encabezado(unidad, 1, ctx_.texto(205), txtNumInmueble, "lblNumInmueble");
    Encabezado(unidad, 2, ctx_.texto(206), txtTorre, "lblTorre");
    Encabezado(unidad, 3, ctx_.texto(207), txtTfnoInmueble, "lblTfnoInmueble");
    unidad->addWidget(txtNomUnidad, 1, 0);
    unidad->addWidget(txtNumInmueble, 1, 1);
    unidad->addWidget(txtTorre, 1, 2);
    unidad->addWidget(txtTfnoInmueble, 1, 3);

    auto* residentes = new QGridLayout;
    Encabezado(residentes, 0, ctx_.texto(208), txtNombre[0], "lblNombre");
    Encabezado(residentes, 1, ctx_.texto(209), txtApe1[0], "lblApe1");
    Encabezado(residentes, 2, ctx_.texto(210), txtApe2[0], "lblApe2");
    Encabezado(residentes, 3, ctx_.texto(211), txtTipoUsu[0], "lblTipoUsu", 2);
    for (int fila = 0; fila < kFilas; ++fila) {
        residentes->addWidget(txtNombre[fila], fila + 1, 0);
        residentes->addWidget(txtApe1[fila], fila + 1, 1);
        residentes->addWidget(txtApe2[fila], fila + 1, 2);
        residentes->addWidget(txtTipoUsu[fila], fila + 1, 3);
        residentes->addWidget(comTipoUsu[fila], fila + 1, 4);
    }

    auto* vehiculos = new QGridLayout;
    Encabezado(vehiculos, 0, ctx_.texto(212), txtVehPlaca[0], "lblVehPlaca");
    Encabezado(vehiculos, 1, ctx_.texto(213), txtVehDescr[0], "lblVehDescr");
    Encabezado(vehiculos, 2, ctx_.texto(215), txtVehTipo[0], "lblVehTipo");
    for (int fila = 0; fila < kFilas; ++fila) {
        vehiculos->addWidget(txtVehPlaca[fila], fila + 1, 0);
        vehiculos->addWidget(txtVehDescr[fila], fila + 1, 1);
        vehiculos->addWidget(txtVehTipo[fila], fila + 1, 2);
    }
    Label10 = new QLabel(ctx_.texto(214), this);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label14 = new QLabel(ctx_.texto(216), this);
    Label14->setObjectName(QStringLiteral("Label14"));
    vehiculos->addWidget(Label10, kFilas + 1, 1);
    vehiculos->addWidget(Label14, kFilas + 1, 2);

    auto* notas = new QLabel(ctx_.texto(217), this);
    notas->setObjectName(QStringLiteral("lblNotas"));
    notas->setBuddy(txtNotas);

    // In modify mode the modify button stands above the add button's place,
    // and the delete button takes that place.
    auto* botones = new QVBoxLayout;
    botones->addStretch();
    botones->addWidget(btnModificarCenso);
    botones->addWidget(btnAgregarCenso);
    botones->addWidget(btnEliminarCenso);

    auto* rejilla = new QGridLayout(this);
    rejilla->addLayout(unidad, 0, 0, 1, 2);
    rejilla->addLayout(residentes, 1, 0, 1, 2);
    rejilla->addLayout(vehiculos, 2, 0, 1, 2);
    rejilla->addWidget(notas, 3, 0, 1, 2);
    rejilla->addWidget(txtNotas, 4, 0);
    rejilla->addLayout(botones, 4, 1);
}

void frmNuevoCenso::Abrir(Contexto& ctx, QWidget* llamador, std::optional<int> idCenso,
                          const std::function<void(frmNuevoCenso&)>& conectar)
{
    bool otra = true;
    while (otra) {
        frmNuevoCenso ventana(ctx, idCenso, llamador);
        if (conectar)
            conectar(ventana);
        if (!ventana.cargar())
            return;
        ctx.dialogos.ejecutarModal(ventana);
        otra = ventana.agregado();
    }
}

bool frmNuevoCenso::cargar()
{
    std::optional<RegistroCenso> leido;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) {
            leido = idCenso_ ? LeerCenso(bd, *idCenso_) : UltimoCenso(bd);
        }))
        return false;
    if (idCenso_) {
        if (!leido) {
            ctx_.dialogos.informar(parentWidget(),
                                   ctx_.idioma.mensaje(QStringLiteral("XCensoNoExiste")));
            return false;
        }
        leido_ = *leido;
        mostrar(leido_);
    } else if (leido) {
        // The next unit is most often in the same building as the last one added.
        txtNomUnidad->setText(leido->nom_unidad);
        txtNumInmueble->setText(leido->num_inmueble);
        txtTorre->setText(leido->torre);
    }
    return true;
}

RegistroCenso frmNuevoCenso::registro() const
{
    RegistroCenso r;
    r.id_censo = idCenso_.value_or(0);
    r.nom_unidad = txtNomUnidad->text();
    r.num_inmueble = txtNumInmueble->text();
    r.torre = txtTorre->text();
    r.tfno_inmueble = txtTfnoInmueble->text();
    for (int fila = 0; fila < kFilas; ++fila) {
        r.residentes[fila] = {txtNombre[fila]->text(), txtApe1[fila]->text(), txtApe2[fila]->text(),
                              txtTipoUsu[fila]->text()};
        r.vehiculos[fila] = {txtVehPlaca[fila]->text(), txtVehDescr[fila]->text(),
                             txtVehTipo[fila]->text()};
    }
    r.notas = txtNotas->toPlainText();
    return r;
}

void frmNuevoCenso::mostrar(const RegistroCenso& r)
{
    // A Null column leaves its field as it was.
    const auto poner = [](QLineEdit* campo, const QString& texto) {
        if (!texto.isNull())
            Reescribir(campo, texto);
    };
    poner(txtNomUnidad, r.nom_unidad);
    poner(txtNumInmueble, r.num_inmueble);
    poner(txtTorre, r.torre);
    poner(txtTfnoInmueble, r.tfno_inmueble);
    for (int fila = 0; fila < kFilas; ++fila) {
        const ResidenteCenso& residente = r.residentes[fila];
        poner(txtNombre[fila], residente.nombre);
        poner(txtApe1[fila], residente.ape1);
        poner(txtApe2[fila], residente.ape2);
        poner(txtTipoUsu[fila], residente.tipo_usu);
        // A type of another language (or none) shows as the blank entry.
        elegirTipo(fila, posicionTipo(txtTipoUsu[fila]->text()));
        const VehiculoCenso& vehiculo = r.vehiculos[fila];
        poner(txtVehPlaca[fila], vehiculo.placa);
        poner(txtVehDescr[fila], vehiculo.descr);
        poner(txtVehTipo[fila], vehiculo.tipo);
    }
    if (!r.notas.isNull())
        txtNotas->setPlainText(r.notas);
}

int frmNuevoCenso::posicionTipo(const QString& tipo) const
{
    for (int posicion = 1; posicion <= 3; ++posicion)
        if (tipo == ctx_.texto(200 + posicion))
            return posicion;
    return 0;
}

void frmNuevoCenso::elegirTipo(int fila, int posicion)
{
    // The list may already stand there, and then it signals nothing.
    comTipoUsu[fila]->setCurrentIndex(posicion);
    txtTipoUsu[fila]->setText(comTipoUsu[fila]->itemText(posicion));
}

void frmNuevoCenso::limitarNotas()
{
    const QString texto = txtNotas->toPlainText();
    const int sobra = int(texto.size()) - kLargoNotas;
    if (sobra <= 0)
        return;
    // The field refuses what was typed beyond its length, not the text after it.
    QTextCursor cursor = txtNotas->textCursor();
    const int fin = cursor.position();
    cursor.setPosition(fin >= sobra ? fin - sobra : kLargoNotas);
    cursor.setPosition(fin >= sobra ? fin : int(texto.size()), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    txtNotas->setTextCursor(cursor);
}

void frmNuevoCenso::NormalizarTexto()
{
    const RegistroCenso normal = NormalizarCenso(registro());
    Reescribir(txtNomUnidad, normal.nom_unidad);
    for (int fila = 0; fila < kFilas; ++fila) {
        Reescribir(txtNombre[fila], normal.residentes[fila].nombre);
        Reescribir(txtApe1[fila], normal.residentes[fila].ape1);
        Reescribir(txtApe2[fila], normal.residentes[fila].ape2);
        Reescribir(txtTipoUsu[fila], normal.residentes[fila].tipo_usu);
        Reescribir(txtVehPlaca[fila], normal.vehiculos[fila].placa);
        Reescribir(txtVehDescr[fila], normal.vehiculos[fila].descr);
        Reescribir(txtVehTipo[fila], normal.vehiculos[fila].tipo);
    }
}

bool frmNuevoCenso::validar(int primerSlot)
{
    NormalizarTexto();
    const std::optional<CampoCenso> fallo = ValidarCenso(registro());
    if (!fallo)
        return true;
    QLineEdit* campo = *fallo == CampoCenso::NomUnidad     ? txtNomUnidad
                       : *fallo == CampoCenso::NumInmueble ? txtNumInmueble
                                                           : txtTfnoInmueble;
    avisar(ctx_.texto(primerSlot + static_cast<int>(*fallo)), campo);
    return false;
}

void frmNuevoCenso::avisar(const QString& texto, QWidget* campo)
{
    focoTrasAviso_ = campo;
    ctx_.dialogos.informar(this, texto);
    if (campo)
        campo->setFocus();
}

void frmNuevoCenso::agregarCenso()
{
    if (!validar(221))
        return;
    const RegistroCenso nuevo = registro();
    int id = 0;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { id = AgregarCenso(bd, nuevo); }))
        return;
    ctx_.registrar(QStringLiteral("Agrega censo"));
    ctx_.dialogos.informar(this, ctx_.texto(224));
    agregado_ = true;
    accept();
    emit guardado(id);
}

void frmNuevoCenso::modificarCenso()
{
    if (!validar(225))
        return;
    const RegistroCenso nuevo = registro();
    ResultadoGuardar resultado = ResultadoGuardar::NoExiste;
    RegistroCenso actual;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) {
            resultado = ModificarCensoLeido(bd, leido_, nuevo, &actual);
        }))
        return;
    switch (resultado) {
    case ResultadoGuardar::NoExiste:
        return avisar(ctx_.idioma.mensaje(QStringLiteral("XCensoNoExiste")));
    case ResultadoGuardar::Cambiado:
        // The guard's changes stay on screen; a second save puts them over
        // the other terminal's.
        leido_ = actual;
        return avisar(ctx_.idioma.mensaje(QStringLiteral("XCensoCambiado")));
    case ResultadoGuardar::Guardado:
        break;
    }
    ctx_.registrar(QStringLiteral("Modifica censo"));
    accept();
    emit guardado(leido_.id_censo);
    ctx_.dialogos.informar(parentWidget(), ctx_.texto(228));
}

void frmNuevoCenso::eliminarCenso()
{
    if (!ctx_.dialogos.confirmar(this, ctx_.texto(229), ctx_.texto(230)))
        return;
    bool existia = false;
    bool vacio = false;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) {
            existia = EliminarCenso(bd, leido_.id_censo);
            vacio = ContarCensos(bd) == 0;
        }))
        return;
    if (!existia)
        return avisar(ctx_.idioma.mensaje(QStringLiteral("XCensoNoExiste")));
    ctx_.registrar(QStringLiteral("Elimina censo"));
    accept();
    emit eliminado(vacio);
    // The last record gone: the query window closes without a word.
    if (!vacio)
        ctx_.dialogos.informar(parentWidget(), ctx_.texto(231));
}

bool frmNuevoCenso::event(QEvent* evento)
{
    // Each time the window becomes active the guard starts at the unit name,
    // unless it comes back from its own message about another field.
    if (evento->type() == QEvent::WindowActivate) {
        QWidget* foco = focoTrasAviso_ ? focoTrasAviso_ : txtNomUnidad;
        focoTrasAviso_ = nullptr;
        foco->setFocus();
    }
    return QDialog::event(evento);
}

bool frmNuevoCenso::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::FocusOut)
        NormalizarTexto();
    return QDialog::eventFilter(objeto, evento);
}
