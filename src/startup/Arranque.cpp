#include "Arranque.h"

#include "frmAcceso.h"
#include "frmPrincipal.h"

Arranque::Arranque(Contexto& ctx) : ctx_(ctx) {}

Arranque::~Arranque() = default;

void Arranque::iniciar()
{
    acceso_ = std::make_unique<frmAcceso>(ctx_);
    connect(acceso_.get(), &frmAcceso::accesoConcedido, this, &Arranque::abrirPrincipal);
    acceso_->cargar();
}

void Arranque::abrirPrincipal()
{
    principal_ = std::make_unique<frmPrincipal>(ctx_);
    principal_->cargar();
}
