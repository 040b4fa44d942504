#pragma once

#include "platform/Camara.h"

// The first video input, through Qt Multimedia. The camera runs only while a
// picture is being taken.
class CamaraQt : public Camara
{
public:
    bool hayCamara() override;
    Resultado tomarFoto(const QString& ruta, std::chrono::milliseconds espera) override;
};
