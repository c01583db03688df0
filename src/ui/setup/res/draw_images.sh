#!/usr/bin/env bash
# Draws the setup dialog's images with ImageMagick:
#   logo.bmp        product logo, 64 x 64, 24-bit
#   completion.bmp  the AutoCAD menu bar with the product's menu opened at its
#                   end and an arrow pointing at it, 307 x 175, 16 colours
#   setup.ico       window icon, 16 x 16 and 32 x 32
# Needs ImageMagick and fonts-wqy-zenhei (Chinese text) and fonts-dejavu-core.
set -euo pipefail
cd "$(dirname "$0")"

convert=/usr/bin/convert
latin=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
chinese=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The badge of logo and icon: a sheet of paper with a bold B on dark green.
badge() {  # size output
  local s=$1 r=$(($1 / 6)) m=$(($1 / 8))
  "$convert" -size "${s}x${s}" xc:none \
    -fill '#1f6b3a' -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $r,$r" \
    -fill '#f4f8f0' -draw "rectangle $((m + 2)),$m $((s - m - 3)),$((s - m))" \
    -font "$latin" -pointsize $((s * 5 / 8)) -fill '#1f6b3a' -gravity center \
    -annotate +0+1 'B' "$2"
}

badge 64 "$work/logo.png"
"$convert" -size 64x64 xc:'#aad296' "$work/logo.png" -composite \
  -type TrueColor -define bmp:format=bmp3 BMP3:logo.bmp

badge 32 "$work/icon32.png"
badge 16 "$work/icon16.png"
"$convert" "$work/icon16.png" "$work/icon32.png" setup.ico

# The completion picture.
bar='#d4d0c8'
"$convert" -size 307x175 xc:'#202428' \
  -fill '#0a246a' -draw 'rectangle 0,0 306,17' \
  -font "$latin" -pointsize 10 -fill white -annotate +6+13 'AutoCAD - [Drawing1.dwg]' \
  -fill "$bar" -draw 'rectangle 0,18 306,37' \
  -fill '#808080' -draw 'line 0,37 306,37' \
  -font "$chinese" -pointsize 12 -fill black \
  -annotate +4+32 '文件  编辑  视图  工具  绘图  修改  窗口  帮助' \
  -fill '#0a246a' -draw 'rectangle 258,19 303,36' \
  -fill white -annotate +262+32 '批打印' \
  -fill "$bar" -stroke '#808080' -draw 'rectangle 196,37 303,146' -stroke none \
  -fill black \
  -annotate +206+56 '批量打印' \
  -annotate +206+77 '框选打印' \
  -annotate +206+98 '按图层打印' \
  -annotate +206+119 '打印到PDF' \
  -annotate +206+140 '打印设置' \
  -fill '#ffd700' -stroke '#ffd700' -strokewidth 5 -draw 'line 40,150 168,96' \
  -stroke none -draw 'polygon 188,88 160,86 172,112' \
  "$work/completion.png"
"$convert" "$work/completion.png" -dither None -colors 16 -type Palette \
  -define bmp:format=bmp3 BMP3:completion.bmp
