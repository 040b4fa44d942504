// The notices panel: what is due, the minutes since entry, deleting, and
// closing by itself.

#include "ApoyoPruebas.h"
#include "notices/frmAvisos.h"
#include "platform/ModeloTabla.h"

#include <QAbstractItemModelTester>
#include <QTest>
#include <QTreeView>

class PruebaAvisos : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmAvisos> ventana;

    int entrada(const QString& nombre, const QString& entra, const QVariant& placa = QVariant())
    {
        BaseDatos& bd = carpeta->ctx->bd();
        SesionBD sesion(bd);
        return bd
            .ejecutar(QStringLiteral("INSERT INTO entradas_salidas (FechaEntrada, "
                                     "NombreVisitante, NAcomp, PlacaVehiculo, "
                                     "AutorizaIngreso) VALUES (?, ?, NULL, ?, 'Ana')"),
                      {entra, nombre, placa})
            .lastInsertId()
            .toInt();
    }

    void aviso(int idEs, const QString& momento)
    {
        carpeta->ejecutarSql(QStringLiteral("INSERT INTO avisos VALUES (?, ?)"), {idEs, momento});
    }

    QString celda(int fila, int columna) { return ventana->modelo()->texto(fila, columna); }

    frmAvisos& abrir()
    {
        ventana = std::make_unique<frmAvisos>(*carpeta->ctx);
        ventana->cargar();
        ventana->show();
        return *ventana;
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        carpeta->ctx->cfg = InterpretarLineaConfiguracion(QStringLiteral(";ACCESO NORTE;1;0;1;1"));
        CargarTablasIdioma(QStringLiteral("es"), &carpeta->ctx->idioma);
        carpeta->reloj.momento = QDateTime(QDate(2026, 8, 5), QTime(10, 0, 30));
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    void listaLoVencidoConSusMinutos()
    {
        const int ana = entrada(QStringLiteral("Ana Peña"), QStringLiteral("2026-08-05 09:15:00"));
        const int viejo = entrada(QStringLiteral("Luis Ñúñez"),
                                  QStringLiteral("2026-07-01 08:00:00"), QStringLiteral("XYZ1"));
        const int futuro = entrada(QStringLiteral("Pronto"), QStringLiteral("2026-08-05 09:59:00"));
        aviso(ana, QStringLiteral("2026-08-05 10:00:00")); // due right at 10:00
        aviso(viejo, QStringLiteral("2026-07-01 09:00:00"));
        aviso(futuro, QStringLiteral("2026-08-05 10:01:00"));

        frmAvisos& w = abrir();
        QAbstractItemModelTester tester(w.modelo());
        QCOMPARE(w.windowTitle(), QStringLiteral("Avisos: 2"));
        QCOMPARE(w.modelo()->rowCount(), 2);
        QCOMPARE(w.modelo()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("Tiempo (minutos)"));
        // Newest due moment first; minutes since the entry, not since the notice.
        QCOMPARE(celda(0, 0), QString::number(ana));
        QCOMPARE(celda(0, 1), QStringLiteral("05/08/2026 09:15:00 am"));
        QCOMPARE(celda(0, 2), QStringLiteral("45"));
        QCOMPARE(celda(0, 4), QString());               // Null companions
        QCOMPARE(celda(1, 2), QStringLiteral("50520")); // 35 days: no overflow
        QCOMPARE(celda(1, 5), QStringLiteral("XYZ1"));

        // The minute tick: times without seconds, minutes afresh, the other caption slot.
        carpeta->reloj.momento = carpeta->reloj.momento.addSecs(60);
        w.alTemporizador();
        QCOMPARE(w.modelo()->rowCount(), 3);
        QCOMPARE(celda(0, 1), QStringLiteral("05/08/2026 09:59 am"));
        QCOMPARE(celda(1, 2), QStringLiteral("46"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Avisos: 3"));
    }

    void dobleClicBorraTodosLosAvisosDeLaEntrada()
    {
        const int ana = entrada(QStringLiteral("Ana"), QStringLiteral("2026-08-05 09:00:00"));
        aviso(ana, QStringLiteral("2026-08-05 09:30:00"));
        aviso(ana, QStringLiteral("2026-08-05 09:45:00"));
        frmAvisos& w = abrir();
        QCOMPARE(w.modelo()->rowCount(), 2);
        w.ListView1->setCurrentIndex(w.modelo()->index(1, 0));

        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No};
        w.eliminarSeleccionado();
        QCOMPARE(w.modelo()->rowCount(), 2);
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 QStringLiteral("¿Desea eliminar el aviso seleccionado? ID: ") +
                     QString::number(ana));
        QCOMPARE(carpeta->dialogos.ultimo().titulo, QStringLiteral("Eliminar Aviso"));

        w.eliminarSeleccionado();
        QCOMPARE(w.modelo()->rowCount(), 0);
        QCOMPARE(w.windowTitle(), QStringLiteral("Avisos: 0"));
        QCOMPARE(carpeta->dialogos.ultimo().texto, QStringLiteral("Aviso eliminado correctamente"));
        QCOMPARE(carpeta->ctx->traspaso.IdAvisoSel, 0);
        const QString id = QString::number(ana);
        QCOMPARE(carpeta->textosSucesos(),
                 (QStringList{"Se pregunta si desea eliminar el aviso ID: " + id +
                                  ", realizando doble click en el listado",
                              "Se pregunta si desea eliminar el aviso ID: " + id +
                                  ", realizando doble click en el listado",
                              "Se eliminó el aviso ID: " + id +
                                  ", realizando doble click en el listado"}));

        // Nothing selected, nothing asked; the next tick closes the empty panel.
        const size_t mensajes = carpeta->dialogos.mostrados.size();
        w.eliminarSeleccionado();
        QCOMPARE(carpeta->dialogos.mostrados.size(), mensajes);
        w.alTemporizador();
        QVERIFY(!w.isVisible());
    }

    void recuerdaDondeSeCerro()
    {
        frmAvisos& w = abrir();
        w.move(40, 20);
        w.close();
        QCOMPARE(carpeta->ctx->traspaso.AvisosLeft, 600);
        QCOMPARE(carpeta->ctx->traspaso.AvisosTop, 300);
    }
};

QTEST_MAIN(PruebaAvisos)
#include "tst_frmavisos.moc"
