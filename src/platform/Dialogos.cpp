#include "Dialogos.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

QMessageBox::Icon IconoQt(Dialogos::Icono icono)
{
    switch (icono) {
    case Dialogos::Icono::Informacion:
        return QMessageBox::Information;
    case Dialogos::Icono::Exclamacion:
        return QMessageBox::Warning;
    case Dialogos::Icono::Critico:
        return QMessageBox::Critical;
    case Dialogos::Icono::Ninguno:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void Dialogos::informar(QWidget* padre, const QString& texto, const QString& titulo)
{
    mostrar(padre, {texto, titulo, Icono::Informacion, Botones::Aceptar, Respuesta::Aceptar});
}

void Dialogos::advertir(QWidget* padre, const QString& texto, const QString& titulo)
{
    mostrar(padre, {texto, titulo, Icono::Exclamacion, Botones::Aceptar, Respuesta::Aceptar});
}

bool Dialogos::confirmar(QWidget* padre, const QString& texto, const QString& titulo, Icono icono,
                         Respuesta porDefecto)
{
    return mostrar(padre, {texto, titulo, icono, Botones::SiNo, porDefecto}) == Respuesta::Si;
}

Dialogos::Respuesta DialogosQt::mostrar(QWidget* padre, const Mensaje& mensaje)
{
    // Owned by the top window, not by the panel that asks: a panel closed by a
    // timer while its box is open must not take the box down with it.
    QMessageBox caja(IconoQt(mensaje.icono),
                     mensaje.titulo.isEmpty() ? kTituloPrograma : mensaje.titulo, mensaje.texto,
                     QMessageBox::NoButton, padre ? padre->window() : nullptr);
    if (mensaje.botones == Botones::Aceptar) {
        caja.setStandardButtons(QMessageBox::Ok);
        caja.exec();
        return Respuesta::Aceptar;
    }
    caja.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    caja.setDefaultButton(mensaje.porDefecto == Respuesta::No ? QMessageBox::No : QMessageBox::Yes);
    return caja.exec() == QMessageBox::Yes ? Respuesta::Si : Respuesta::No;
}

int DialogosQt::ejecutarModal(QDialog& ventana)
{
    return ventana.exec();
}

QString DialogosQt::elegirArchivoGuardar(QWidget* padre, const QString& titulo,
                                         const QString& propuesto, const QString& filtro)
{
    QFileDialog dialogo(padre ? padre->window() : nullptr, titulo, propuesto, filtro);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(QFileInfo(propuesto).suffix());
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return QString();
    return dialogo.selectedFiles().constFirst();
}
