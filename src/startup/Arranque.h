#pragma once

#include <QObject>

#include <memory>

class Contexto;
class frmAcceso;
class frmPrincipal;

// Owns the two top windows: the login first, the main window after a
// successful login.
class Arranque : public QObject
{
    Q_OBJECT

public:
    explicit Arranque(Contexto& ctx);
    ~Arranque() override;

    void iniciar();

    frmAcceso* acceso() const { return acceso_.get(); }
    frmPrincipal* principal() const { return principal_.get(); }

private:
    void abrirPrincipal();

    Contexto& ctx_;
    std::unique_ptr<frmAcceso> acceso_;
    std::unique_ptr<frmPrincipal> principal_;
};
