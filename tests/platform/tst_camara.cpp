// The webcam: the real camera's "no camera" path (the test machines have
// none), and the pictures as the panels' test camera writes them.

#include "CamaraPrueba.h"
#include "platform/CamaraQt.h"

#include <QCameraDevice>
#include <QFile>
#include <QImage>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

class PruebaCamara : public QObject
{
    Q_OBJECT

private slots:
    // With no video input the real camera says so at once and writes nothing:
    // no picture of a test pattern passes for the visitor.
    void sinCamaraNoHayFoto()
    {
        if (!QMediaDevices::videoInputs().isEmpty())
            QSKIP("This machine has a camera");
        QTemporaryDir dir;
        const QString ruta = dir.filePath(QStringLiteral("2024-03-05 14-30-05-P1- VISITANTE.bmp"));
        CamaraQt camara;
        QVERIFY(!camara.hayCamara());
        const auto resultado = camara.tomarFoto(ruta, 2s);
        QCOMPARE(resultado.fallo, Camara::Fallo::SinCamara);
        QVERIFY(!resultado.descripcion.isEmpty());
        QVERIFY(!QFile::exists(ruta));
    }

    // A picture is a 320 by 240 bitmap file; one that cannot be written, or
    // a camera told to fail, leaves no file and says why.
    void fotoEnBmpONada()
    {
        QTemporaryDir dir;
        CamaraPrueba camara;
        const QString ruta = dir.filePath(QStringLiteral("2024-03-05 14-30-05-P1- MARÍA.bmp"));
        QVERIFY(camara.tomarFoto(ruta, 2s));
        QVERIFY(LeerCabecera(ruta).startsWith("BM"));
        QImage foto;
        QVERIFY(foto.load(ruta));
        QCOMPARE(foto.size(), QSize(320, 240));
        QCOMPARE(foto.pixelColor(10, 10), QColor(Qt::darkCyan));

        const QString sinCarpeta = dir.filePath(QStringLiteral("imgcap/foto.bmp"));
        const auto noGuardada = camara.tomarFoto(sinCarpeta, 2s);
        QCOMPARE(noGuardada.fallo, Camara::Fallo::NoGuardada);
        QVERIFY(noGuardada.descripcion.contains(sinCarpeta));
        QVERIFY(!QFile::exists(sinCarpeta));

        camara.fallarCon = Camara::Fallo::SinImagen;
        const QString fallida = dir.filePath(QStringLiteral("fallida.bmp"));
        QCOMPARE(camara.tomarFoto(fallida, 2s).fallo, Camara::Fallo::SinImagen);
        QVERIFY(!QFile::exists(fallida));
        QCOMPARE(camara.pedidas, QStringList({ruta, sinCarpeta, fallida}));
    }

private:
    static QByteArray LeerCabecera(const QString& ruta)
    {
        QFile archivo(ruta);
        return archivo.open(QIODevice::ReadOnly) ? archivo.read(2) : QByteArray();
    }
};

QTEST_MAIN(PruebaCamara)
#include "tst_camara.moc"
