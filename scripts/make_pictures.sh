#!/bin/bash
# Draws Zelvora's own pictures (flags, backgrounds, icons) with ImageMagick 6.
# Usage: ./make_pictures.sh [output-folder]   (default: ../resources)
set -euo pipefail
OUT=${1:-$(cd "$(dirname "$0")/../resources" && pwd)}
CONVERT=${CONVERT:-convert}
mkdir -p "$OUT/img" "$OUT/ico" "$OUT/app" "$OUT/work"
W="$OUT/work"

# Palette
DK='#1f4e79'     # outlines
BL='#2e75b6'     # main blue
LB='#9dc3e6'     # light blue
PB='#deebf7'     # pale blue
GR='#70ad47'     # green accent
RD='#c00000'     # red accent
YL='#ffc000'     # yellow accent
GY='#a6a6a6'     # grey
LG='#e7e6e6'     # light grey
OR='#ed7d31'     # orange

########################################################################
# Flags: 64x40 JPEG, drawn at 4x and reduced, 1 px dark grey border
########################################################################
flag() {  # name, draw arguments...
  local name=$1; shift
  $CONVERT -size 256x160 xc:white "$@" -resize 64x40\! \
    -shave 1x1 -bordercolor '#404040' -border 1 \
    -strip -quality 92 "$OUT/img/$name.jpg"
}

# Spain: red / yellow / red, 1:2:1
flag es -fill '#c60b1e' -draw 'rectangle 0,0 255,39' -draw 'rectangle 0,120 255,159' \
        -fill '#ffc400' -draw 'rectangle 0,40 255,119'

# Colombia: yellow half, blue quarter, red quarter
flag co -fill '#fcd116' -draw 'rectangle 0,0 255,79' \
        -fill '#003893' -draw 'rectangle 0,80 255,119' \
        -fill '#ce1126' -draw 'rectangle 0,120 255,159'

# United States: 13 stripes, blue canton with a few white dots
us_args=(-fill '#b22234')
for i in 0 2 4 6 8 10 12; do
  y0=$(( i * 160 / 13 )); y1=$(( (i + 1) * 160 / 13 - 1 ))
  us_args+=(-draw "rectangle 0,$y0 255,$y1")
done
cy=$(( 7 * 160 / 13 - 1 ))
us_args+=(-fill '#3c3b6e' -draw "rectangle 0,0 102,$cy" -fill white)
for row in 0 1 2 3; do
  for col in 0 1 2 3 4; do
    x=$(( 12 + col * 20 + (row % 2) * 8 )); y=$(( 14 + row * 24 ))
    us_args+=(-draw "circle $x,$y $((x + 4)),$y")
  done
done
flag us "${us_args[@]}"

# England: white with red St George's cross
flag en -fill '#ce1124' -draw 'rectangle 112,0 143,159' -draw 'rectangle 0,64 255,95'

########################################################################
# Backgrounds: calm, low contrast
########################################################################
bg() {  # name, size, top colour, bottom colour
  $CONVERT -size "$2" "gradient:$3-$4" -strip -quality 85 "$OUT/img/$1.jpg"
}

bg fondo1     324x163 '#e6ecf2' '#c3cfdc'   # login: soft blue-grey
bg fondo5     640x480 '#f1f7ee' '#dcebd5'   # pale green
bg fondo6     640x480 '#faf6ec' '#ece2cc'   # pale sand
bg fondo9     640x480 '#f5f1fa' '#e2d9ee'   # pale lilac
bg fondo10    640x480 '#f5f5f5' '#e0e0e0'   # pale grey
bg fondo8_cam 640x480 '#f0f5fb' '#d8e5f3'   # pale blue
bg fondo8_vp  640x480 '#eff8f7' '#d4ebe8'   # pale teal

# Main window: very light gradient with a faint gatehouse, barrier and fence outline
$CONVERT -size 1024x768 'gradient:#f5f8fb-#dfe7ef' \
  -fill none -stroke 'rgba(31,78,121,0.07)' -strokewidth 6 \
  -draw 'line 300,600 300,380' -draw 'line 300,380 250,380' -draw 'line 250,380 470,220' \
  -draw 'line 470,220 690,380' -draw 'line 690,380 640,380' -draw 'line 640,380 640,500' \
  -draw 'rectangle 350,440 450,600' \
  -draw 'rectangle 500,440 590,520' -draw 'line 545,440 545,520' -draw 'line 500,480 590,480' \
  -draw 'rectangle 640,500 664,600' \
  -draw 'roundrectangle 664,508 960,526 8,8' \
  -draw 'line 700,508 700,526' -draw 'line 760,508 760,526' -draw 'line 820,508 820,526' -draw 'line 880,508 880,526' \
  -draw 'line 60,600 300,600' -draw 'line 640,600 990,600' \
  -draw 'line 60,540 300,540' -draw 'line 60,565 300,565' \
  -draw 'line 80,520 80,600' -draw 'line 130,520 130,600' -draw 'line 180,520 180,600' -draw 'line 230,520 230,600' -draw 'line 280,520 280,600' \
  -stroke 'rgba(31,78,121,0.05)' -draw 'line 40,640 1000,640' \
  -strip -quality 85 "$OUT/img/fondo4.jpg"

########################################################################
# Icons: drawn on a 128x128 canvas, reduced to 32x32, packed as 32+16 .ico
########################################################################
icon() {  # name, draw arguments...
  local name=$1; shift
  # round line ends and joins for every -draw
  local args=() prev=
  for a in "$@"; do
    if [ "$prev" = -draw ]; then a="stroke-linecap round stroke-linejoin round $a"; fi
    args+=("$a"); prev=$a
  done
  $CONVERT -size 128x128 xc:none -stroke "$DK" -strokewidth 6 "${args[@]}" \
    -filter Lanczos -resize 32x32 -strip "PNG32:$W/$name.png"
  $CONVERT "$W/$name.png" -define icon:auto-resize=32,16 "$OUT/ico/$name.ico"
}

# Building blocks (MVG text for -draw); arguments: x, y offset and scale
person() {  # head and shoulders, body colour
  echo "push graphic-context translate $1,$2 scale $3,$3
        fill $4 path 'M 20,124 C 20,78 108,78 108,124 Z'
        fill '#f8cbad' circle 64,44 64,16
        pop graphic-context"
}
house() {  # simple house, body colour
  echo "push graphic-context translate $1,$2 scale $3,$3
        fill $4 polygon 26,62 26,118 102,118 102,62 64,30
        fill $RD polygon 8,70 64,14 120,70 108,80 64,36 20,80
        fill '#8f5b2e' rectangle 54,84 74,118
        pop graphic-context"
}
badge_plus() {
  echo "fill $GR circle 98,98 98,70
        stroke white stroke-width 8 line 98,84 98,112 line 84,98 112,98"
}
badge_minus() {
  echo "fill $RD circle 98,98 98,70
        stroke white stroke-width 8 line 84,98 112,98"
}
pencil() {  # pencil pointing down-left, at centre x,y and scale
  echo "push graphic-context translate $1,$2 rotate 135 scale $3,$3
        fill $YL rectangle -34,-12 30,12
        fill '#f4b183' rectangle -50,-12 -34,12
        fill '#f8cbad' polygon 30,-12 54,0 30,12
        fill $DK polygon 46,-4 54,0 46,4
        pop graphic-context"
}

# acceso: padlock
icon acceso -fill none -strokewidth 12 -draw "path 'M 40,64 V 42 A 24,24 0 0 1 88,42 V 64'" \
  -stroke "$DK" -strokewidth 6 -fill "$YL" -draw 'roundrectangle 20,58 108,120 10,10' \
  -fill "$DK" -stroke none -draw 'circle 64,82 64,72' -draw 'polygon 58,84 70,84 72,106 56,106'

# zelvora: gatehouse with a barrier
zelvora=(
  -fill "$LB" -draw 'rectangle 10,56 62,120'
  -fill "$RD" -draw 'polygon 2,60 36,24 70,60'
  -fill "$PB" -draw 'rectangle 20,68 52,90'
  -fill "$BL" -draw 'rectangle 62,74 74,120'
  -fill white -draw 'roundrectangle 74,78 124,90 4,4'
  -fill "$RD" -stroke none -draw 'rectangle 84,81 94,87' -draw 'rectangle 104,81 114,87'
  -stroke "$DK" -strokewidth 6 -draw 'line 4,120 124,120'
)
icon zelvora "${zelvora[@]}"

# The same drawing as the desktop's application icon (PNG, 48 and 256 px),
# drawn at 4x so the large one stays sharp.
for size in 48 256; do
  args=() prev=
  for a in "${zelvora[@]}"; do
    if [ "$prev" = -draw ]; then a="stroke-linecap round stroke-linejoin round scale 4,4 $a"; fi
    args+=("$a"); prev=$a
  done
  $CONVERT -size 512x512 xc:none -stroke "$DK" -strokewidth 6 "${args[@]}" \
    -filter Lanczos -resize ${size}x${size} -strip "PNG32:$OUT/app/zelvora-$size.png"
done

# guardar: floppy disk
icon guardar -fill "$BL" -draw 'polygon 14,14 100,14 114,28 114,114 14,114' \
  -fill "$LG" -draw 'rectangle 34,14 90,48' \
  -fill "$DK" -stroke none -draw 'rectangle 72,20 82,42' \
  -stroke "$DK" -fill white -draw 'rectangle 28,66 100,114' \
  -stroke "$LB" -strokewidth 5 -draw 'line 40,80 88,80' -draw 'line 40,96 88,96'

# nueva_entrada: visitor (orange) with a plus
icon nueva_entrada -draw "$(person -6 -6 1 "$OR")" -draw "$(badge_plus)"

# visitas_actuales: group of persons
icon visitas_actuales -draw "$(person -22 -4 0.75 "$LB")" -draw "$(person 54 -4 0.75 "$LB")" \
  -draw "$(person 16 32 0.75 "$OR")"

# registro_visitas: book with lines
icon registro_visitas -fill white -draw 'roundrectangle 26,10 114,118 6,6' \
  -fill "$BL" -draw 'roundrectangle 14,10 38,118 6,6' \
  -stroke "$LB" -strokewidth 6 -draw 'line 52,34 100,34' -draw 'line 52,54 100,54' -draw 'line 52,74 100,74' -draw 'line 52,94 88,94' \
  -stroke "$DK" -strokewidth 4 -fill "$YL" -draw 'polygon 86,10 104,10 104,30 95,24 86,30'

# estadisticas_visitas: bar chart
icon estadisticas_visitas -fill "$BL" -draw 'rectangle 24,70 44,114' \
  -fill "$GR" -draw 'rectangle 54,40 74,114' \
  -fill "$OR" -draw 'rectangle 84,20 104,114' \
  -fill none -strokewidth 8 -draw "path 'M 12,8 V 118 H 122'"

# nuevo_censo: house with a plus
icon nuevo_censo -draw "$(house -4 -4 0.95 "$LB")" -draw "$(badge_plus)"

# consultar_censo: house with a magnifier
icon consultar_censo -draw "$(house -4 -6 0.9 "$LB")" \
  -strokewidth 12 -draw 'line 96,96 120,120' \
  -strokewidth 6 -fill 'rgba(222,235,247,0.85)' -draw 'circle 80,80 80,56'

# cambiar: key with two arrows
icon cambiar -fill "$YL" -draw 'circle 38,64 38,42' -fill "$YL" -draw 'polygon 58,58 104,58 104,80 94,80 94,70 86,70 86,78 76,78 76,70 58,70' \
  -fill white -draw 'circle 32,64 32,56' \
  -fill none -stroke '#548235' -strokewidth 9 -draw "path 'M 30,24 Q 64,2 98,24'" -draw "path 'M 98,104 Q 64,126 30,104'" \
  -stroke none -fill '#548235' -draw 'polygon 106,12 108,36 86,32' -draw 'polygon 22,116 20,92 42,96'

# eliminar: red X
icon eliminar -strokewidth 34 -draw 'line 28,28 100,100' -draw 'line 100,28 28,100' \
  -stroke "$RD" -strokewidth 22 -draw 'line 28,28 100,100' -draw 'line 100,28 28,100'

# imprimir: printer
icon imprimir -fill white -draw 'rectangle 34,10 94,50' \
  -fill "$GY" -draw 'roundrectangle 8,44 120,98 10,10' \
  -fill "$GR" -stroke none -draw 'circle 102,60 102,54' \
  -stroke "$DK" -fill white -draw 'rectangle 30,78 98,120' \
  -stroke "$LB" -strokewidth 5 -draw 'line 42,94 86,94' -draw 'line 42,108 86,108'

# listado: printer with a long list coming out
icon listado -fill white -draw 'rectangle 30,4 98,70' \
  -fill "$DK" -stroke none -draw 'rectangle 38,14 46,22' -draw 'rectangle 38,32 46,40' -draw 'rectangle 38,50 46,58' \
  -stroke "$BL" -strokewidth 6 -draw 'line 54,18 88,18' -draw 'line 54,36 88,36' -draw 'line 54,54 88,54' \
  -stroke "$DK" -strokewidth 6 -fill "$GY" -draw 'roundrectangle 8,66 120,118 10,10' \
  -fill "$DK" -stroke none -draw 'rectangle 28,94 100,102' \
  -fill "$GR" -draw 'circle 104,80 104,74'

# modificar: pencil
icon modificar -draw "$(pencil 64 64 1.35)"

# registrar_salida: door with an arrow going out
icon registrar_salida -fill "$LG" -draw 'rectangle 14,8 74,120' \
  -fill '#c58c55' -draw 'polygon 14,8 54,20 54,120 14,120' \
  -fill "$DK" -stroke none -draw 'circle 44,68 44,62' \
  -fill "$GR" -stroke "$DK" -strokewidth 5 -draw 'polygon 62,54 92,54 92,36 124,64 92,92 92,74 62,74'

# telefono: desk telephone
icon telefono -fill "$BL" -draw 'polygon 16,116 112,116 98,62 30,62' \
  -fill white -draw 'circle 64,88 64,72' -fill "$DK" -stroke none -draw 'circle 64,88 64,82' \
  -stroke "$DK" -strokewidth 6 -fill "$LB" \
  -draw 'roundrectangle 8,26 120,42 8,8' \
  -draw 'roundrectangle 6,32 36,56 8,8' -draw 'roundrectangle 92,32 122,56 8,8'

# tomar_foto: camera
icon tomar_foto -fill "$GY" -draw 'roundrectangle 38,22 78,44 4,4' \
  -fill '#595959' -draw 'roundrectangle 8,36 120,110 12,12' \
  -fill white -draw 'circle 64,73 64,45' \
  -fill "$BL" -draw 'circle 64,73 64,57' \
  -fill "$PB" -stroke none -draw 'circle 58,67 58,62' \
  -fill "$YL" -stroke "$DK" -strokewidth 4 -draw 'rectangle 94,46 110,56'

# users
icon usuario_agregar   -draw "$(person -6 -6 1 "$BL")" -draw "$(badge_plus)"
icon usuario_eliminar  -draw "$(person -6 -6 1 "$BL")" -draw "$(badge_minus)"
icon usuario_modificar -draw "$(person -6 -6 1 "$BL")" -draw "$(pencil 94 94 0.62)"
icon usuarios -draw "$(person 28 -4 0.8 "$LB")" -draw "$(person -8 26 0.8 "$BL")"

# config: gear
gear=$(awk 'BEGIN{pi=atan2(0,-1); n=8; s="";
  for(i=0;i<n;i++){ a=2*pi*i/n;
    split("-0.24 -0.13 0.13 0.24", d, " ");
    r[1]=44; r[2]=58; r[3]=58; r[4]=44;
    for(k=1;k<=4;k++){ t=a+d[k]; s=s sprintf("%.1f,%.1f ", 64+r[k]*cos(t), 64+r[k]*sin(t)) }
  } print s }')
icon config -fill '#7f7f7f' -draw "polygon $gear" -fill "$PB" -draw 'circle 64,64 64,46'

# respaldo: database cylinder with a green arrow
icon respaldo -fill "$LB" -draw 'ellipse 58,102 40,14 0,360' \
  -stroke none -draw 'rectangle 18,26 98,102' \
  -stroke "$DK" -fill none -draw 'line 18,26 18,102' -draw 'line 98,26 98,102' \
  -draw 'ellipse 58,52 40,14 0,180' -draw 'ellipse 58,77 40,14 0,180' \
  -fill "$PB" -draw 'ellipse 58,26 40,14 0,360' \
  -fill "$GR" -strokewidth 5 -draw 'polygon 98,70 118,70 118,94 126,94 108,120 90,94 98,94'

# cuotas: coin with a dollar sign
icon cuotas -fill "$YL" -draw 'circle 64,64 64,8' \
  -fill none -stroke '#bf8f00' -strokewidth 5 -draw 'circle 64,64 64,18' \
  -stroke "$DK" -strokewidth 9 -draw "path 'M 82,44 C 76,34 46,34 46,50 C 46,64 82,60 82,78 C 82,94 50,94 44,84'" \
  -draw 'line 64,26 64,102'

rm -rf "$W"
echo "pictures written to $OUT/img, $OUT/ico and $OUT/app"
