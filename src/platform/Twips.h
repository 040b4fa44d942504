#pragma once

#include <QRect>

// Window geometry is kept in twips, as the forms were drawn: 15 twips to a
// pixel at 96 dpi; Qt scales the pixels on high-DPI screens.
constexpr int Px(int twips)
{
    return twips / 15;
}

constexpr QRect RectTwips(int izquierda, int arriba, int ancho, int alto)
{
    return QRect(Px(izquierda), Px(arriba), Px(ancho), Px(alto));
}
