// Every field a guard types in or ticks is named by its caption, as a screen
// reader reads it, in each window that has fields.

#include "ApoyoPruebas.h"
#include "startup/frmAcceso.h"
#include "visits/frmEntrada.h"
#include "visits/frmSalida.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

class PruebaRotulos : public QObject
{
    Q_OBJECT

    // "object: name" for each field; a nameless field shows as "object: ".
    static QStringList Nombres(QWidget* ventana)
    {
        QStringList nombres;
        QList<QWidget*> campos;
        for (QLineEdit* c : ventana->findChildren<QLineEdit*>())
            campos << c;
        for (QAbstractButton* c : ventana->findChildren<QAbstractButton*>())
            if (c->text().isEmpty()) // a box captioned by a label beside it
                campos << c;
        for (QWidget* campo : campos) {
            QAccessibleInterface* acceso = QAccessible::queryAccessibleInterface(campo);
            nombres << campo->objectName() + ": " +
                           (acceso ? acceso->text(QAccessible::Name) : QString());
        }
        nombres.sort();
        return nombres;
    }

    static QStringList SinNombre(const QStringList& nombres)
    {
        QStringList faltan;
        for (const QString& n : nombres)
            if (n.endsWith(": "))
                faltan << n;
        return faltan;
    }

private slots:
    void init() { QLocale::setDefault(QLocale(QStringLiteral("es_CO"))); }

    void accesoNombraUsuarioYClave()
    {
        CarpetaPrueba carpeta;
        carpeta.prepararTerminal();
        frmAcceso ventana(*carpeta.ctx);
        ventana.cargar();
        const QStringList nombres = Nombres(&ventana);
        QVERIFY2(SinNombre(nombres).isEmpty(), qPrintable(nombres.join(u'\n')));
        QVERIFY(nombres.contains("txtUsr: " + ventana.findChild<QLabel*>("Label1")->text()));
    }

    void entradaYSalidaNombranCadaCampo()
    {
        CarpetaPrueba carpeta;
        carpeta.crearBaseDatos();
        CargarTablasIdioma("en", &carpeta.ctx->idioma);
        carpeta.usarConfiguracion(";ACCESO NORTE;1;0;1;0;0;;1;;;;1;0;0");
        frmEntrada entrada(*carpeta.ctx);
        QStringList nombres = Nombres(&entrada);
        QVERIFY2(SinNombre(nombres).isEmpty(), qPrintable(nombres.join(u'\n')));
        QVERIFY(nombres.contains("txtNombreVisitante: " + entrada.campos.Label3->text()));
        QVERIFY(nombres.contains("chkAutoCompletarNV: " + entrada.Label8->text()));

        const int id = carpeta.agregarVisita({"2026-08-05 09:00:00", "Ana Ruiz"});
        frmSalida salida(*carpeta.ctx, id, nullptr);
        nombres = Nombres(&salida);
        QVERIFY2(SinNombre(nombres).isEmpty(), qPrintable(nombres.join(u'\n')));
        QVERIFY(nombres.contains("txtFechaSalida: " + salida.Label8->text()));
    }
};

QTEST_MAIN(PruebaRotulos)
#include "tst_rotulos.moc"
