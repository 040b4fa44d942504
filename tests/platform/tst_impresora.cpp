// The printed listings' printer: what a PDF of the cell grid holds, read back
// the way a person would read it (pdftotext), and where a listing goes.

#include "ImpresoraGrabadora.h"
#include "platform/ImpresoraPdf.h"
#include "platform/ImpresoraSistema.h"

#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString Ejecutar(const QString& programa, const QStringList& argumentos)
{
    QProcess proceso;
    proceso.start(programa, argumentos);
    if (!proceso.waitForFinished(30000) || proceso.exitCode() != 0)
        qWarning() << programa << "failed:" << proceso.readAllStandardError();
    return QString::fromUtf8(proceso.readAllStandardOutput());
}

// The pages as pdftotext -layout lays them out, blank lines dropped.
QList<QStringList> Paginas(const QString& pdf)
{
    QList<QStringList> paginas;
    const QString texto = Ejecutar(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    QStringList hojas = texto.split(u'\f');
    if (!hojas.isEmpty() && hojas.last().trimmed().isEmpty())
        hojas.removeLast();
    for (const QString& hoja : hojas) {
        QStringList lineas;
        for (const QString& linea : hoja.split(u'\n'))
            if (!linea.trimmed().isEmpty())
                lineas << linea.trimmed().simplified();
        paginas << lineas;
    }
    return paginas;
}

struct Palabra
{
    int pagina;
    double x;
    double y; // top, in points from the top of the sheet
    double alto;
    QString texto;
};

// Every word with its place (pdftotext -bbox), in points.
QList<Palabra> Palabras(const QString& pdf)
{
    static const QRegularExpression expresion(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Palabra> palabras;
    int pagina = 0;
    auto coincidencias =
        expresion.globalMatch(Ejecutar(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"}));
    while (coincidencias.hasNext()) {
        const auto c = coincidencias.next();
        if (c.captured(4).isNull() && c.captured(1).isNull()) {
            ++pagina;
            continue;
        }
        const double arriba = c.captured(2).toDouble();
        palabras << Palabra{pagina, c.captured(1).toDouble(), arriba,
                            c.captured(3).toDouble() - arriba, c.captured(4)};
    }
    return palabras;
}

Palabra Buscar(const QList<Palabra>& palabras, const QString& texto)
{
    for (const Palabra& p : palabras)
        if (p.texto == texto)
            return p;
    qWarning() << "no word" << texto;
    return {0, -1000, -1000, 0, {}};
}

// Points of the PDF sheet: 72 to the inch; the sheet's margin is 1/4 inch.
constexpr double kMargen = 18;
double Columna(int columna)
{
    return kMargen + (Impresora::kMargenColumnas + columna) * 6.0;
}
double Fila(int fila)
{
    return kMargen + fila * 12.0;
}

} // namespace

class PruebaImpresora : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
                 "pdftotext (poppler-utils) is needed to read the PDF back");
    }

    void init() { qunsetenv("ZELVORA_PDF"); }

    // Each line lands in its cell: rows 1/6 inch apart, columns 1/12 inch
    // from a five-column margin, TABs to the next stop of eight columns, in
    // Times New Roman (Liberation Serif) 10 on a Letter sheet.
    void lasLineasCaenEnSusCeldas()
    {
        QTemporaryDir dir;
        const QString ruta = dir.filePath(QStringLiteral("listado ñandú.pdf"));
        ImpresoraPdf impresora(ruta);
        impresora.escribir(0, 1, QStringLiteral("CONJUNTO PIÑAS"));
        impresora.escribir(0, 2, QStringLiteral("IMPRESIÓN: Miércoles"));
        impresora.escribir(0, 5, QStringLiteral("Uno\tDos\t\tTres"));
        impresora.escribir(24, 9, QStringLiteral("Cuatro"));
        QVERIFY(impresora.terminar());
        QVERIFY(!impresora.fallo());
        QCOMPARE(impresora.archivoPdf(), ruta);

        QCOMPARE(Paginas(ruta), QList<QStringList>({{"CONJUNTO PIÑAS", "IMPRESIÓN: Miércoles",
                                                     "Uno Dos Tres", "Cuatro"}}));
        const auto palabras = Palabras(ruta);
        const struct
        {
            const char* texto;
            int columna, fila;
        } esperadas[] = {{"CONJUNTO", 0, 1}, {"IMPRESIÓN:", 0, 2}, {"Uno", 0, 5},
                         {"Dos", 8, 5},      {"Tres", 24, 5},      {"Cuatro", 24, 9}};
        for (const auto& e : esperadas) {
            const Palabra p = Buscar(palabras, QString::fromUtf8(e.texto));
            QVERIFY2(qAbs(p.x - Columna(e.columna)) < 0.5, e.texto);
            // The text sits inside its row's 12 points.
            QVERIFY2(p.y >= Fila(e.fila) - 0.5 && p.y + p.alto <= Fila(e.fila + 1) + 0.5, e.texto);
            // 10 points: Liberation Serif's ascent and descent make 11.1.
            QVERIFY2(qAbs(p.alto - 11.1) < 0.3, e.texto);
        }

        const QString info = Ejecutar(QStringLiteral("pdfinfo"), {ruta});
        QVERIFY2(info.contains(QStringLiteral("612 x 792 pts (letter)")), qPrintable(info));
        const QString fuentes = Ejecutar(QStringLiteral("pdffonts"), {ruta});
        QVERIFY2(fuentes.contains(QStringLiteral("LiberationSerif")), qPrintable(fuentes));
    }

    // Pages follow in order, each numbered by the page it is on; the lowest
    // row a listing uses (a page number after 14 visits) is still on the sheet.
    void paginasNumeradasEnOrden()
    {
        QTemporaryDir dir;
        const QString ruta = dir.filePath(QStringLiteral("censo.pdf"));
        ImpresoraPdf impresora(ruta);
        QCOMPARE(impresora.pagina(), 1);
        for (int n = 1; n <= 3; ++n) {
            if (n > 1)
                impresora.nuevaPagina();
            impresora.escribir(0, 1, QStringLiteral("TORRE %1").arg(n));
            impresora.escribir(0, 61, QStringLiteral("Página: %1").arg(impresora.pagina()));
        }
        QVERIFY(impresora.terminar());

        QCOMPARE(Paginas(ruta), QList<QStringList>({{"TORRE 1", "Página: 1"},
                                                    {"TORRE 2", "Página: 2"},
                                                    {"TORRE 3", "Página: 3"}}));
        const auto palabras = Palabras(ruta);
        for (const Palabra& p : palabras)
            if (p.texto == QStringLiteral("Página:"))
                QVERIFY(qAbs(p.y - Buscar(palabras, "TORRE").y - 60 * 12.0) < 1);
    }

    // A document that cannot be written, or is never ended, leaves no file
    // and never spoils one already there.
    void sinArchivoAMedias()
    {
        QTemporaryDir dir;
        ImpresoraPdf sinCarpeta(dir.filePath(QStringLiteral("no/existe.pdf")));
        QVERIFY(sinCarpeta.fallo());
        QVERIFY(sinCarpeta.error().contains(QStringLiteral("no/existe.pdf")));
        sinCarpeta.escribir(0, 0, QStringLiteral("Nada"));
        sinCarpeta.nuevaPagina();
        QVERIFY(!sinCarpeta.terminar());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("no/existe.pdf"))));

        const QString previo = dir.filePath(QStringLiteral("previo.pdf"));
        {
            ImpresoraPdf primero(previo);
            primero.escribir(0, 0, QStringLiteral("Listado entero"));
            QVERIFY(primero.terminar());
        }
        {
            ImpresoraPdf abandonado(previo);
            abandonado.escribir(0, 0, QStringLiteral("Listado a medias"));
        }
        QCOMPARE(Paginas(previo), QList<QStringList>({{"Listado entero"}}));
        const QString nuevo = dir.filePath(QStringLiteral("nuevo.pdf"));
        {
            ImpresoraPdf abandonado(nuevo);
            abandonado.escribir(0, 0, QStringLiteral("Listado a medias"));
        }
        QVERIFY(!QFile::exists(nuevo));
    }

    // ZELVORA_PDF sends a listing to that file; a machine with no printer
    // sends it to the file the caller names. Either way the user can be told.
    void aDondeVaElListado()
    {
        QTemporaryDir dir;
        const QString pedido = dir.filePath(QStringLiteral("pedido.pdf"));
        const QString porDefecto = dir.filePath(QStringLiteral("sin impresora.pdf"));
        qputenv("ZELVORA_PDF", pedido.toUtf8());
        {
            auto impresora = AbrirImpresora(porDefecto);
            impresora->escribir(0, 0, QStringLiteral("Pedido"));
            QVERIFY(impresora->terminar());
            QCOMPARE(impresora->archivoPdf(), pedido);
        }
        QCOMPARE(Paginas(pedido), QList<QStringList>({{"Pedido"}}));
        QVERIFY(!QFile::exists(porDefecto));

        qunsetenv("ZELVORA_PDF");
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("This machine has a printer: the listing would go to paper");
        auto impresora = AbrirImpresora(porDefecto);
        impresora->escribir(0, 0, QStringLiteral("Sin impresora"));
        QVERIFY(impresora->terminar());
        QCOMPARE(impresora->archivoPdf(), porDefecto);
        QCOMPARE(Paginas(porDefecto), QList<QStringList>({{"Sin impresora"}}));
    }
};

QTEST_MAIN(PruebaImpresora)
#include "tst_impresora.moc"
