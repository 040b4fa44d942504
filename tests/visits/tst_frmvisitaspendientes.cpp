#include <QTest>
class Prueba : public QObject
{
    Q_OBJECT private slots : void vacio() {}
};
QTEST_MAIN(Prueba)
#include "tst_frmvisitaspendientes.moc"
