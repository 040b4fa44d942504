// The drop list of names under a field, on a bare form of two fields: what
// it offers, the keys and the mouse, and where the focus goes.

#include "ApoyoPruebas.h"
#include "platform/ListaCompletar.h"

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QString kMas = QStringLiteral("Hay más nombres: siga escribiendo");

// Up to 25 stored names that begin with the text, as a window would ask.
QStringList NombresQueEmpiezanPor(const QString& prefijo, bool* hayMas)
{
    QStringList guardados{QStringLiteral("Ana Ruiz"), QStringLiteral("Mario Paz")};
    for (int n = 1; n <= 30; ++n)
        guardados << QStringLiteral("Marta Gil %1").arg(n, 2, 10, QChar(u'0'));
    guardados.sort();
    const QStringList todos = guardados.filter(QRegularExpression(
        "^" + QRegularExpression::escape(prefijo), QRegularExpression::CaseInsensitiveOption));
    *hayMas = todos.size() > 25;
    return todos.mid(0, 25);
}

} // namespace

class PruebaListaCompletar : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> ventana;
    QLineEdit* campo = nullptr;
    QLineEdit* siguiente = nullptr;
    ListaCompletar* lista = nullptr;
    ListaCompletar* listaSiguiente = nullptr;
    QStringList pedidos;
    std::unique_ptr<QSignalSpy> elegidos;

    QStringList lineas() const { return Textos(lista->model()); }
    QRect linea(int fila) const { return lista->visualRect(lista->model()->index(fila, 0)); }

    // As the window system delivers it: a click, then the second press as a
    // double click.
    void dobleClic(int fila)
    {
        const QPoint punto = linea(fila).center();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, punto);
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, punto);
    }

    // The focus in the field, the list open on what was typed.
    void escribir(const QString& texto)
    {
        campo->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), campo);
        QTest::keyClicks(campo, texto);
        QVERIFY(lista->isVisible());
    }

private slots:
    void init()
    {
        ventana = std::make_unique<QWidget>();
        ventana->resize(300, 400);
        auto* capa = new QVBoxLayout(ventana.get());
        campo = new QLineEdit(ventana.get());
        // Made before the next field, so that only raising it puts it on top.
        lista = new ListaCompletar(
            campo, kMas,
            [this](const QString& prefijo, bool* hayMas) {
                pedidos << prefijo;
                return NombresQueEmpiezanPor(prefijo, hayMas);
            },
            ventana.get());
        siguiente = new QLineEdit(ventana.get());
        listaSiguiente = new ListaCompletar(siguiente, kMas, NombresQueEmpiezanPor, ventana.get());
        capa->addWidget(campo);
        capa->addWidget(siguiente);
        capa->addStretch();
        pedidos.clear();
        elegidos = std::make_unique<QSignalSpy>(lista, &ListaCompletar::elegido);
        ventana->show();
        QVERIFY(QTest::qWaitForWindowActive(ventana.get()));
    }
    void cleanup()
    {
        elegidos.reset();
        ventana.reset();
    }

    // Each change asks for its names; no text, no names, or completion off:
    // no list.
    void ofreceLoQueEmpiezaPorLoEscritoBajoSuCampo()
    {
        escribir("mario");
        QCOMPARE(pedidos, (QStringList{"m", "ma", "mar", "mari", "mario"}));
        QCOMPARE(lineas(), QStringList{"Mario Paz"});
        QCOMPARE(lista->geometry().topLeft(),
                 campo->mapTo(ventana.get(), QPoint(0, campo->height())));
        QCOMPARE(lista->width(), campo->width());
        // Over the field below it.
        const QRect comun = lista->geometry() & siguiente->geometry();
        QVERIFY(!comun.isEmpty());
        QCOMPARE(ventana->childAt(comun.center())->parentWidget(), lista);

        campo->setText("marioz");
        QVERIFY(!lista->isVisible());
        campo->setText("mario");
        pedidos.clear();
        campo->clear();
        QVERIFY(!lista->isVisible());
        QVERIFY(pedidos.isEmpty());

        campo->setText("ana");
        lista->fijarActiva(false);
        QVERIFY(!lista->isVisible());
        pedidos.clear();
        QTest::keyClicks(campo, " r");
        QVERIFY(pedidos.isEmpty());
        QVERIFY(!lista->isVisible());
        lista->fijarActiva(true);
        QTest::keyClick(campo, Qt::Key_U);
        QCOMPARE(lineas(), QStringList{"Ana Ruiz"});
        QVERIFY(lista->isVisible());
    }

    // Down goes into the list at its first line; Enter (either key) puts the
    // line into the field, hides the list, and the focus goes straight back:
    // the next field never has it, the caret ends the name, nothing selected.
    void tecladoEligeYDevuelveElFocoAlCampo()
    {
        QList<QWidget*> enfocados;
        QObject registro;
        connect(qApp, &QApplication::focusChanged, &registro,
                [&](QWidget*, QWidget* ahora) { enfocados << ahora; });
        qsizetype n = 0;
        for (const Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
            campo->clear();
            enfocados.clear();
            escribir("mar");
            QTest::keyClick(campo, Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), lista);
            QCOMPARE(lista->currentIndex().row(), 0);
            QTest::keyClick(lista, Qt::Key_Down);
            QTest::keyClick(lista, enter);
            const QString nombre = "Marta Gil 01";
            QCOMPARE(campo->text(), nombre);
            QVERIFY(!lista->isVisible());
            QCOMPARE(enfocados, (QList<QWidget*>{lista, campo}));
            QCOMPARE(campo->selectedText(), QString());
            QCOMPARE(campo->cursorPosition(), nombre.size());
            QCOMPARE(elegidos->size(), ++n);
            QCOMPARE(elegidos->last().at(0).toString(), nombre);
        }
    }

    void dobleClicEligeLaLinea()
    {
        escribir("mar");
        dobleClic(2);
        QCOMPARE(campo->text(), "Marta Gil 02");
        QVERIFY(!lista->isVisible());
        QCOMPARE(QApplication::focusWidget(), campo);
        QCOMPARE(elegidos->size(), 1);
    }

    // A cut list says so on a last line that never goes into the field.
    void lineaDeMasNombresNoSeElige()
    {
        escribir("mar");
        QCOMPARE(lineas().size(), 26);
        QCOMPARE(lineas().last(), kMas);
        const QModelIndex mas = lista->model()->index(25, 0);
        QCOMPARE(lista->model()->flags(mas), Qt::NoItemFlags);

        lista->scrollToBottom();
        dobleClic(25);
        QCOMPARE(campo->text(), "mar");
        // Enter on it takes the guard back to the field, caret at the end.
        campo->selectAll();
        lista->setFocus();
        lista->setCurrentIndex(mas);
        QTest::keyClick(lista, Qt::Key_Return);
        QCOMPARE(campo->text(), "mar");
        QCOMPARE(QApplication::focusWidget(), campo);
        QCOMPARE(campo->selectedText(), QString());
        QCOMPARE(campo->cursorPosition(), 3);
        QCOMPARE(elegidos->size(), 0);

        // All of them fit: no such line.
        campo->setText("marta gil 1");
        QCOMPARE(lineas().size(), 10);
        QVERIFY(!lineas().contains(kMas));
    }

    // Whatever the guard scrolled to, a refill starts at the first name.
    void cadaRellenoEmpiezaArriba()
    {
        escribir("mar");
        lista->scrollToBottom();
        QVERIFY(lista->indexAt(QPoint(1, 1)).row() > 0);
        QTest::keyClicks(campo, "t");
        QTRY_COMPARE(lista->indexAt(QPoint(1, 1)).row(), 0);
    }

    // The list hides when the focus leaves it, or leaves its field for
    // another control; another window, or the form itself, taking the focus
    // from the field leaves it for the guard's return.
    void elFocoFueraOcultaLaLista()
    {
        QWidget otra;
        auto* campoOtra = new QLineEdit(&otra);
        campoOtra->setFocus();
        auto irA = [](QWidget* v) {
            v->show();
            v->activateWindow();
            return QTest::qWaitForWindowActive(v);
        };

        escribir("mar");
        QVERIFY(irA(&otra));
        QVERIFY(lista->isVisible());
        QVERIFY(irA(ventana.get()));
        QCOMPARE(QApplication::focusWidget(), campo);
        ventana->setFocusPolicy(Qt::ClickFocus);
        ventana->setFocus();
        QCOMPARE(QApplication::focusWidget(), ventana.get());
        QVERIFY(lista->isVisible());

        // From the list to another window.
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), lista);
        QVERIFY(irA(&otra));
        QVERIFY(!lista->isVisible());
        QVERIFY(irA(ventana.get()));

        // From the field to the next one: Tab skips the list, which is
        // entered with Down.
        campo->setFocus();
        QTest::keyClicks(campo, "i");
        QVERIFY(lista->isVisible());
        QTest::keyClick(campo, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), siguiente);
        QVERIFY(!lista->isVisible());
    }

    // A press in a field closes the lists beside it too, while its own
    // completion is on.
    void pulsarEnElCampoCierraLasListas()
    {
        escribir("mar");
        siguiente->setText("ana");
        QVERIFY(listaSiguiente->isVisible());
        QTest::mouseClick(campo, Qt::LeftButton);
        QVERIFY(!lista->isVisible());
        QVERIFY(!listaSiguiente->isVisible());

        lista->fijarActiva(false);
        siguiente->setText("mario");
        QVERIFY(listaSiguiente->isVisible());
        QTest::mouseClick(campo, Qt::LeftButton);
        QVERIFY(listaSiguiente->isVisible());
    }
};

QTEST_MAIN(PruebaListaCompletar)
#include "tst_listacompletar.moc"
