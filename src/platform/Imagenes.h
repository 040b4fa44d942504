#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// Pictures are looked up in the program folder first ("ico/acceso.ico",
// "img/fondo1.jpg"), so that a site can put its own, and otherwise taken from
// the copies built into the program. A missing picture never stops anything.
QPixmap CargarImagen(const QString& carpetaPrograma, const QString& rutaRelativa);
QIcon CargarIcono(const QString& carpetaPrograma, const QString& rutaRelativa);

class QWidget;

// Paints the picture, stretched, behind the widget's controls.
void PonerFondo(QWidget* ventana, const QString& carpetaPrograma, const QString& rutaRelativa);
