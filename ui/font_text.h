#pragma once

#include <QFont>
#include <QString>

// The font a screen or a receipt names, in one of two forms:
//  - "face,points,style": style bits 1 bold, 2 italic, 4 underline, 8 strike-out
//    ("Arial,10,1" is Arial 10 point bold);
//  - fourteen fields "face,height,width,escapement,orientation,weight,italic,
//    underline,strike-out,character set,output precision,clipping precision,
//    quality,pitch and family", where the height is in logical units at `dpiY`
//    ("Arial,-12,0,0,0,400,0,0,0,0,3,2,1,34" is Arial 9 point at 96 dpi).
// A text with 11 or more commas is the long form. Fields that are not numbers
// read as 0; a missing face or size keeps the application's default.
QFont fontFromText(const QString& text, int dpiY = 96);
