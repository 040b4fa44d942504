// Where the focus goes when a panel is activated, alone or in a frame.

#include "platform/Paneles.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A panel of two fields whose second one is the guard's first stop.
struct PanelDePrueba
{
    QWidget* ventana = new QWidget;
    QLineEdit* primero = new QLineEdit(ventana);
    QLineEdit* objetivo = new QLineEdit(ventana);

    PanelDePrueba()
    {
        auto* capa = new QVBoxLayout(ventana);
        capa->addWidget(primero);
        capa->addWidget(objetivo);
        EnfocarAlActivarse(ventana, objetivo);
    }
};

} // namespace

class PruebaPaneles : public QObject
{
    Q_OBJECT

private slots:
    void soloAlMostrarse()
    {
        PanelDePrueba panel;
        std::unique_ptr<QWidget> duenio(panel.ventana);
        panel.ventana->show();
        QVERIFY(QTest::qWaitForWindowActive(panel.ventana));
        QCOMPARE(QApplication::focusWidget(), panel.objetivo);
    }

    // Each time its frame becomes the active one.
    void enElMarcoCadaVezQueSeActiva()
    {
        QMainWindow principal;
        auto* area = new QMdiArea(&principal);
        principal.setCentralWidget(area);
        PanelDePrueba a, b;
        QMdiSubWindow* marcoA = area->addSubWindow(a.ventana);
        QMdiSubWindow* marcoB = area->addSubWindow(b.ventana);
        principal.show();
        QVERIFY(QTest::qWaitForWindowActive(&principal));
        area->setActiveSubWindow(marcoA);
        QTRY_COMPARE(QApplication::focusWidget(), a.objetivo);
        a.primero->setFocus();
        area->setActiveSubWindow(marcoB);
        QTRY_COMPARE(QApplication::focusWidget(), b.objetivo);
        area->setActiveSubWindow(marcoA);
        QTRY_COMPARE(QApplication::focusWidget(), a.objetivo);
    }
};

QTEST_MAIN(PruebaPaneles)
#include "tst_paneles.moc"
