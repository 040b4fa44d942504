// The webcam of the new-entry panel: the camera switched on and off, the
// visitor's picture in the pictures folder, the entry time it gives, and the
// real camera's road on a machine that has none.

#include "ApoyoPruebas.h"
#include "CamaraPrueba.h"
#include "startup/frmPrincipal.h"
#include "visits/SeccionCamara.h"
#include "visits/frmEntrada.h"

#include <QCameraDevice>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMediaDevices>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString kOpcionesFoto = QStringLiteral("1;0;1;0;0;;1;;;;0;1;0");
const QDate kDia(2024, 3, 5);
const QString kSinImagen =
    QStringLiteral("Se produjo un error al obtener la imagen desde la opción Tomar Imagen\r\n\r\n"
                   "Verifique que la cámara esté correctamente conectada y activada");
const QString kSucesoSinImagen =
    QStringLiteral("Se produjo un error al obtener la imagen desde Tomar Imagen");

} // namespace

class PruebaCamaraEntrada : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmEntrada> ventana;
    std::shared_ptr<CamaraPrueba> camara;
    int camarasHechas = 0;

    // Terminal P1; fields 3 to 15 of its configuration line.
    frmEntrada& abrir(const QString& opciones = kOpcionesFoto)
    {
        carpeta->usarConfiguracion(";P1;" + opciones);
        ventana = std::make_unique<frmEntrada>(*carpeta->ctx);
        ventana->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(ventana.get())); }();
        return *ventana;
    }

    SeccionCamara& seccion() { return *ventana->seccionCamara; }
    QStringList sucesos() const { return carpeta->textosSucesos("P1", kDia); }
    QStringList filas(const QString& sql) { return carpeta->consultar(sql); }
    QString fotos() const { return carpeta->archivo("imgcap"); }
    QStringList archivosFotos() const { return QDir(fotos()).entryList(QDir::Files, QDir::Name); }

    void llenar(const QString& nombre)
    {
        ventana->campos.txtNombreVisitante->setText(nombre);
        ventana->campos.txtAutorizaIngreso->setText("Luz");
    }
    void agregar() { QTest::mouseClick(ventana->btnAgregarEntrada, Qt::LeftButton); }

    static QSize TamanoBmp(const QString& ruta)
    {
        QImage foto;
        return foto.load(ruta, "BMP") ? foto.size() : QSize();
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        CargarTablasIdioma("es", &carpeta->ctx->idioma);
        carpeta->reloj.momento = QDateTime(kDia, QTime(14, 30, 5));
        camara = std::make_shared<CamaraPrueba>();
        camarasHechas = 0;
        carpeta->ctx->crearCamara = [this] {
            ++camarasHechas;
            return camara;
        };
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
        camara.reset();
    }

    // Switched on, a picture of the visitor is a 320x240 bitmap named after
    // the moment, the terminal and the visitor; a second one in the same
    // second gets a name of its own; the entry takes the picture's time; the
    // camera is let go when the panel closes.
    void fotoConLaCamaraEncendida()
    {
        frmEntrada& w = abrir();
        SeccionCamara& s = seccion();
        QVERIFY(s.btnIniciarCamara->isVisible() && s.Image1->isVisible());
        QVERIFY(!s.Picture1->isVisible());
        QCOMPARE(s.btnIniciarCamara->text(), "&Cámara On");
        QCOMPARE(s.btnTomarFoto->text(), "&Tomar Imagen");
        // Opening alone makes no camera.
        QCOMPARE(camarasHechas, 0);

        QTest::mouseClick(s.btnIniciarCamara, Qt::LeftButton);
        QCOMPARE(s.btnIniciarCamara->text(), "&Cámara Off");
        QVERIFY(camara->encendida);
        // The moving view, from its caption.
        QTest::mouseClick(s.lblActivarMovimientoImagen, Qt::LeftButton);
        QVERIFY(s.chkActivarMovimientoImagen->isChecked() && s.Timer2->isActive());
        QCOMPARE(s.Timer2->interval(), 50);
        s.alTemporizador();
        QCOMPARE(s.Image1->pixmap().size(), QSize(320, 240));

        llenar("VISITANTE");
        QTest::mouseClick(s.btnTomarFoto, Qt::LeftButton);
        QTest::mouseClick(s.btnTomarFoto, Qt::LeftButton);
        QCOMPARE(archivosFotos(), (QStringList{"2024-03-05 14-30-05-P1- VISITANTE (2).bmp",
                                               "2024-03-05 14-30-05-P1- VISITANTE.bmp"}));
        QCOMPARE(TamanoBmp(fotos() + "/2024-03-05 14-30-05-P1- VISITANTE.bmp"), QSize(320, 240));
        QCOMPARE(carpeta->dialogos.textos(),
                 (QStringList{"Imagen tomada correctamente", "Imagen tomada correctamente"}));
        QCOMPARE(carpeta->dialogos.ultimo().titulo, "Guardado de imagen correcto");
        QCOMPARE(sucesos(), (QStringList{"Se toma la imagen correctamente",
                                         "Se toma la imagen correctamente"}));
        // Any picture stops the moving view.
        QVERIFY(!s.chkActivarMovimientoImagen->isChecked() && !s.Timer2->isActive());
        // A click on the view shows the picture taken, and one on it the view again.
        QTest::mouseClick(s.Image1, Qt::LeftButton);
        QVERIFY(s.Picture1->isVisible() && !s.Image1->isVisible());
        QCOMPARE(s.Picture1->pixmap().size(), QSize(320, 240));
        QTest::mouseClick(s.Picture1, Qt::LeftButton);
        QVERIFY(s.Image1->isVisible() && !s.Picture1->isVisible());

        carpeta->reloj.momento = QDateTime(kDia, QTime(14, 31, 40));
        w.alTemporizador();
        agregar();
        QCOMPARE(filas("SELECT FechaEntrada, NombreVisitante FROM entradas_salidas"),
                 QStringList{"2024-03-05 14:30:05|VISITANTE"});

        w.close();
        QVERIFY(!camara->encendida);
        QCOMPARE(camara->apagados, 1);
        QCOMPARE(s.btnIniciarCamara->text(), "&Cámara On");
    }

    // Separators and control characters cannot stop a visitor's picture.
    void nombreQueNoCabeEnUnArchivo()
    {
        abrir();
        QTest::mouseClick(seccion().btnIniciarCamara, Qt::LeftButton);
        llenar("Ana/Luz\\Mar:ía\x01");
        QVERIFY(seccion().tomarFoto());
        QCOMPARE(archivosFotos(), QStringList{"2024-03-05 14-30-05-P1- Ana_Luz_Mar_ía_.bmp"});
        QCOMPARE(carpeta->dialogos.textos(), QStringList{"Imagen tomada correctamente"});
    }

    // Ticked, the add takes the picture first; a picture that fails leaves
    // the entry its own time, not that of an earlier picture.
    void fotoAlAgregar()
    {
        frmEntrada& w = abrir();
        SeccionCamara& s = seccion();
        QTest::mouseClick(s.btnIniciarCamara, Qt::LeftButton);
        QTest::mouseClick(s.lblTomarFotoAgregar, Qt::LeftButton);
        QVERIFY(s.chkTomarFotoAgregar->isChecked());
        llenar("Ana");
        agregar();
        QCOMPARE(carpeta->dialogos.textos().mid(1),
                 (QStringList{"Imagen tomada correctamente", "Entrada realizada correctamente"}));
        QCOMPARE(archivosFotos(), QStringList{"2024-03-05 14-30-05-P1- Ana.bmp"});

        // An earlier picture, then one that the camera does not give.
        carpeta->reloj.momento = QDateTime(kDia, QTime(15, 0, 0));
        llenar("Beto");
        QVERIFY(s.tomarFoto());
        camara->fallarCon = Camara::Fallo::SinImagen;
        carpeta->reloj.momento = QDateTime(kDia, QTime(15, 2, 0));
        w.alTemporizador();
        carpeta->dialogos.mostrados.clear();
        agregar();
        QCOMPARE(carpeta->dialogos.textos().mid(1),
                 (QStringList{kSinImagen, "Entrada realizada correctamente"}));
        QCOMPARE(carpeta->dialogos.mostrados.at(1).titulo, "Error Tomar Imagen - Obtener Imagen");

        // An earlier picture, then one that cannot be written: the folder is a file.
        camara->fallarCon = Camara::Fallo::Ninguno;
        carpeta->reloj.momento = QDateTime(kDia, QTime(15, 4, 0));
        llenar("Carla");
        QVERIFY(s.tomarFoto());
        QVERIFY(QDir(fotos()).removeRecursively());
        QFile ocupa(fotos());
        QVERIFY(ocupa.open(QIODevice::WriteOnly));
        carpeta->reloj.momento = QDateTime(kDia, QTime(15, 5, 0));
        w.alTemporizador();
        carpeta->dialogos.mostrados.clear();
        agregar();
        QCOMPARE(carpeta->dialogos.mostrados.at(1).texto,
                 "Se produjo un error al intentar guardar la imagen desde la opción Tomar "
                 "Imagen\r\n\r\nVerifique que la cámara esté correctamente conectada y "
                 "activada\r\n\r\nCompruebe los permisos y tamaño de la carpeta de imágenes; "
                 "asegúrese de que exista espacio suficiente para almacenamiento");
        QCOMPARE(carpeta->dialogos.mostrados.at(1).titulo, "Error Tomar Imagen - Guardar Imagen");

        QCOMPARE(filas("SELECT FechaEntrada, NombreVisitante FROM entradas_salidas"),
                 (QStringList{"2024-03-05 14:30:05|Ana", "2024-03-05 15:02:00|Beto",
                              "2024-03-05 15:05:00|Carla"}));
        QCOMPARE(sucesos(),
                 (QStringList{"Se toma la imagen correctamente", "Agrega entrada",
                              "Se toma la imagen correctamente", kSucesoSinImagen, "Agrega entrada",
                              "Se toma la imagen correctamente",
                              "Se produjo un error al intentar guardar la imagen desde Tomar "
                              "Imagen",
                              "Agrega entrada"}));
    }

    // Before the camera is on, and after it is unplugged, the guard is told
    // and goes on working.
    void camaraApagadaODesconectada()
    {
        frmEntrada& w = abrir();
        SeccionCamara& s = seccion();
        QTest::mouseClick(s.btnTomarFoto, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.textos(), QStringList{"Debe indicar el Nombre del Visitante"});
        llenar("Ana");
        QTest::mouseClick(s.btnTomarFoto, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Encienda la cámara antes de tomar la imagen");
        QVERIFY(camara->pedidas.isEmpty());

        QTest::mouseClick(s.btnIniciarCamara, Qt::LeftButton);
        camara->conectada = false;
        QTest::mouseClick(s.btnTomarFoto, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, kSinImagen);
        QCOMPARE(carpeta->dialogos.ultimo().titulo, "Error Tomar Imagen - Obtener Imagen");
        QCOMPARE(s.btnIniciarCamara->text(), "&Cámara On");
        QVERIFY(!camara->encendida);
        // Still unplugged: switching on says so again.
        QTest::mouseClick(s.btnIniciarCamara, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, kSinImagen);
        QCOMPARE(s.btnIniciarCamara->text(), "&Cámara On");
        QCOMPARE(sucesos(), (QStringList{kSucesoSinImagen, kSucesoSinImagen}));
        QVERIFY(archivosFotos().isEmpty());

        agregar();
        QCOMPARE(filas("SELECT FechaEntrada, NombreVisitante FROM entradas_salidas"),
                 QStringList{"2024-03-05 14:30:05|Ana"});
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Entrada realizada correctamente");
        w.close();
    }

    // A terminal that takes no pictures shows none of this and never makes a camera.
    void terminalSinFotos()
    {
        frmEntrada& w = abrir("1;0;1;0;0;;1;;;;0;0;0");
        QVERIFY(!seccion().isVisible() && !seccion().btnTomarFoto->isVisible());
        seccion().chkTomarFotoAgregar->setChecked(true);
        llenar("Ana");
        agregar();
        QCOMPARE(carpeta->dialogos.textos().mid(1), QStringList{"Entrada realizada correctamente"});
        QCOMPARE(filas("SELECT count(*) FROM entradas_salidas"), QStringList{"1"});
        w.close();
        QCOMPARE(camarasHechas, 0);
        QVERIFY(!QFile::exists(fotos()));
    }

    // The machine's own camera where there is none, as on the test machines:
    // the guard is told, nothing waits for long, and the panel goes on.
    void camaraRealSinCamara()
    {
        if (!QMediaDevices::videoInputs().isEmpty())
            QSKIP("This machine has a camera");
        carpeta->ctx->crearCamara = nullptr;
        frmEntrada& w = abrir();
        SeccionCamara& s = seccion();
        QElapsedTimer reloj;
        reloj.start();
        QTest::mouseClick(s.btnIniciarCamara, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.textos(), QStringList{kSinImagen});
        QCOMPARE(carpeta->dialogos.ultimo().titulo, "Error Tomar Imagen - Obtener Imagen");
        QCOMPARE(s.btnIniciarCamara->text(), "&Cámara On");
        QCOMPARE(sucesos(), QStringList{kSucesoSinImagen});

        s.chkTomarFotoAgregar->setChecked(true);
        llenar("Ana");
        agregar();
        QVERIFY2(reloj.elapsed() < 2 * SeccionCamara::kEsperaFoto.count(), "the camera hung");
        QCOMPARE(carpeta->dialogos.textos().mid(1),
                 (QStringList{"¿Realizar la Entrada?\r\n\r\nNombre Visitante: Ana\r\nAutoriza "
                              "ingreso: Luz\r\nNº Acompañantes: \r\nPlaca Vehículo: "
                              "\r\nObservaciones: ",
                              "Encienda la cámara antes de tomar la imagen",
                              "Entrada realizada correctamente"}));
        QCOMPARE(filas("SELECT FechaEntrada, NombreVisitante FROM entradas_salidas"),
                 QStringList{"2024-03-05 14:30:05|Ana"});
        w.close();
    }
};

QTEST_MAIN(PruebaCamaraEntrada)
#include "tst_camara_entrada.moc"
