// The notices panel: what is due, the minutes since entry, deleting, and
// closing by itself.

#include "ApoyoPruebas.h"
#include "notices/frmAvisos.h"
#include "platform/ModeloTabla.h"

#include <QTest>
#include <QTreeView>

class PruebaAvisos : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmAvisos> ventana;

    int entrada(const QString& nombre, const QString& entra, const QVariant& placa = {})
    {
        return carpeta->agregarVisita({entra, nombre, {}, "Ana", {}, placa});
    }

    void aviso(int idEs, const QString& momento)
    {
        carpeta->ejecutarSql("INSERT INTO avisos VALUES (?, ?)", {idEs, momento});
    }

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
        carpeta->usarConfiguracion(";ACCESO NORTE;1;0;1;1");
        CargarTablasIdioma("es", &carpeta->ctx->idioma);
        carpeta->reloj.momento = QDateTime(QDate(2026, 8, 5), QTime(10, 0, 30));
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    void listaLoVencidoConSusMinutos()
    {
        const int ana = entrada("Ana Peña", "2026-08-05 09:15:00");
        const int viejo = entrada("Luis Ñúñez", "2026-07-01 08:00:00", "XYZ1");
        const int futuro = entrada("Pronto", "2026-08-05 09:59:00");
        aviso(ana, "2026-08-05 10:00:00"); // due right at 10:00
        aviso(viejo, "2026-07-01 09:00:00");
        aviso(futuro, "2026-08-05 10:01:00");

        frmAvisos& w = abrir();
        QCOMPARE(w.windowTitle(), "Avisos: 2");
        QCOMPARE(w.modelo()->headerData(2, Qt::Horizontal).toString(), "Tiempo (minutos)");
        // Newest due moment first; minutes since the entry, not since the notice,
        // 35 days without overflow; Null shows blank.
        QCOMPARE(
            Textos(w.modelo()),
            (QStringList{QString::number(ana) + "|05/08/2026 09:15:00 am|45|Ana Peña|||Ana|Taxi",
                         QString::number(viejo) +
                             "|01/07/2026 08:00:00 am|50520|Luis Ñúñez||XYZ1|Ana|Taxi"}));

        // The minute tick: times without seconds, minutes afresh, the other caption slot.
        carpeta->reloj.momento = carpeta->reloj.momento.addSecs(60);
        w.alTemporizador();
        QCOMPARE(Textos(w.modelo(), 1), (QStringList{"05/08/2026 09:59 am", "05/08/2026 09:15 am",
                                                     "01/07/2026 08:00 am"}));
        QCOMPARE(Textos(w.modelo(), 2), (QStringList{"2", "46", "50521"}));
        QCOMPARE(w.windowTitle(), "Avisos: 3");
    }

    void dobleClicBorraTodosLosAvisosDeLaEntrada()
    {
        const int ana = entrada("Ana", "2026-08-05 09:00:00");
        aviso(ana, "2026-08-05 09:30:00");
        aviso(ana, "2026-08-05 09:45:00");
        frmAvisos& w = abrir();
        QCOMPARE(w.modelo()->rowCount(), 2);
        w.ListView1->setCurrentIndex(w.modelo()->index(1, 0));

        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No};
        w.eliminarSeleccionado();
        QCOMPARE(w.modelo()->rowCount(), 2);
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 QStringLiteral("¿Desea eliminar el aviso seleccionado? ID: ") +
                     QString::number(ana));
        QCOMPARE(carpeta->dialogos.ultimo().titulo, "Eliminar Aviso");

        w.eliminarSeleccionado();
        QCOMPARE(w.modelo()->rowCount(), 0);
        QCOMPARE(w.windowTitle(), "Avisos: 0");
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Aviso eliminado correctamente");
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
