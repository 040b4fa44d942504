#pragma once

#include <QWidget>

class Contexto;
class QLabel;
class QLineEdit;
class QPushButton;

// The login window: the language choice on a terminal's first start, then the
// configuration read and the login against the users table.
class frmAcceso : public QWidget
{
    Q_OBJECT

public:
    explicit frmAcceso(Contexto& ctx, QWidget* padre = nullptr);

    // The window's load: the language choice, or straight to the login.
    void cargar();

    void IdiomaEscribir(const QString& codigo);
    void AccesoPrograma();
    void intentarAcceso();

    int intentosFallidos() const { return intentosFallidos_; }

    QLabel* imgEs;
    QLabel* imgCo;
    QLabel* imgUs;
    QLabel* imgEn;
    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* txtUsr;
    QLineEdit* txtPwd;
    QPushButton* btnAceptarAcceso;

signals:
    void accesoConcedido();
    // The language tables for this code are loaded; what the platform shows
    // of its own (standard buttons) follows it.
    void idiomaCargado(const QString& codigo);

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QLabel* crearBandera(const char* nombre, const QString& codigo, const QString& ayuda,
                         int orden);
    void mostrarCamposAcceso(bool visibles);
    void ponerFondo(int anchoTwips, int altoTwips);
    bool leerConfiguracion();

    Contexto& ctx_;
    QLabel* fondo_;
    int intentosFallidos_ = 0;
    bool accesoConcedido_ = false;
};
