#include "TimeWatermarkFormats.h"

QStringList timeWatermarkStyles(bool englishLanguage) {
    QStringList styles{"YYYY/MM/dd HH/mm/ss"};
    if (!englishLanguage)
        styles << "YYYY年MM月dd日 HH时mm分ss秒";
    styles << "YYYY-MM-dd HH:mm:ss"
           << "YYYY-MM-dd HH:mm";
    if (!englishLanguage)
        styles << "YYYY年MM月dd日 HH时mm分";
    return styles;
}
