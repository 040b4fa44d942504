// The real message boxes: who owns them and which answer Enter gives.

#include "platform/Dialogos.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class PruebaDialogos : public QObject
{
    Q_OBJECT

private slots:
    // A box asked for by a panel belongs to the top window: a panel closed by
    // a timer while its box is open must not take the box down with it.
    void laCajaEsDeLaVentanaPrincipal()
    {
        QMainWindow ventana;
        auto* area = new QMdiArea(&ventana);
        ventana.setCentralWidget(area);
        auto* panel = new QWidget;
        area->addSubWindow(panel);
        ventana.show();
        DialogosQt dialogos;
        QWidget* padre = nullptr;
        QTimer::singleShot(0, [&padre] {
            if (auto* caja = QApplication::activeModalWidget()) {
                padre = caja->parentWidget();
                QTest::keyClick(caja, Qt::Key_Return);
            }
        });
        dialogos.informar(panel, "Aviso eliminado correctamente");
        QCOMPARE(padre, &ventana);
    }

    // Enter gives the answer the caller chose as the safe one.
    void enterDaLaRespuestaPorDefecto()
    {
        DialogosQt dialogos;
        for (const auto defecto : {Dialogos::Respuesta::No, Dialogos::Respuesta::Si}) {
            QTimer::singleShot(0, [] {
                if (auto* caja = QApplication::activeModalWidget())
                    QTest::keyClick(caja, Qt::Key_Return);
            });
            const auto respuesta =
                dialogos.mostrar(nullptr, {"¿Desea salir?", "Salir", Dialogos::Icono::Exclamacion,
                                           Dialogos::Botones::SiNo, defecto});
            QCOMPARE(respuesta, defecto);
        }
    }
};

QTEST_MAIN(PruebaDialogos)
#include "tst_dialogos.moc"
