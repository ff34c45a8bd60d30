<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>TForm1</name>
    <message>
        <source>Значение А</source>
        <translation>Value A</translation>
    </message>
    <message>
        <source>Значение В</source>
        <translation>Value B</translation>
    </message>
    <message>
        <source>Шум (x 0,1%)</source>
        <translation>Noise (x 0.1%)</translation>
    </message>
    <message>
        <source>Результаты расчета</source>
        <translation>Calculation results</translation>
    </message>
    <message>
        <source>Значения A и B, уровни F3, 50% и F5, коридоры вокруг F3 и F5 и возможные целевые точки, или сообщение об ошибке в значении</source>
        <translation>Values A and B, the F3, 50% and F5 levels, the corridors around F3 and F5 and the possible target points, or a message about a wrong value</translation>
    </message>
    <message>
        <source>Диаграмма уровней</source>
        <translation>Level diagram</translation>
    </message>
    <message>
        <source>Расчет</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Копировать расчёт</source>
        <translation>Copy calculation</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>Без гарантий. Запуская, вы соглаcны.</source>
        <translation>No warranty. By running it, you agree.</translation>
    </message>
    <message>
        <source>Версия 0.0.2, 2026</source>
        <translation>Version 0.0.2, 2026</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>Копировать рисунок</source>
        <translation>Copy picture</translation>
    </message>
    <message>
        <source>Сохранить рисунок…</source>
        <translation>Save picture…</translation>
    </message>
    <message>
        <source>Сохранить рисунок</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>Рисунок не сохранён: %1</source>
        <translation>The picture was not saved: %1</translation>
    </message>
    <message>
        <source>Ошибка в значении А!</source>
        <translation>Error in value A!</translation>
    </message>
    <message>
        <source>Ошибка в значении B!</source>
        <translation>Error in value B!</translation>
    </message>
    <message>
        <source>Увеличить шум</source>
        <translation>Increase noise</translation>
    </message>
    <message>
        <source>Уменьшить шум</source>
        <translation>Decrease noise</translation>
    </message>
    <message>
        <source>строка %1</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source>%1, волна %2 (вверх, %3 – %4%5)</source>
        <translation>%1, swing %2 (up, %3 to %4%5)</translation>
    </message>
    <message>
        <source>%1, волна %2 (вниз, %3 – %4%5)</source>
        <translation>%1, swing %2 (down, %3 to %4%5)</translation>
    </message>
    <message>
        <source>, не подтверждена</source>
        <translation>, not confirmed</translation>
    </message>
    <message>
        <source>это не обычный файл</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>Чтение файла</source>
        <translation>Reading the file</translation>
    </message>
    <message>
        <source>Прервать чтение файла</source>
        <translation>Stop reading the file</translation>
    </message>
    <message>
        <source>Расчёт скопирован</source>
        <translation>Calculation copied</translation>
    </message>
    <message>
        <source>Свои уровни…</source>
        <translation>Levels…</translation>
    </message>
</context>
<context>
    <name>OwnLevels</name>
    <message>
        <source>Свои уровни</source>
        <translation>Levels</translation>
    </message>
    <message>
        <source>Один коэффициент в строке: 0,236 — между B и F3, 1,618 — за A, -0,618 — за B.</source>
        <translation>One ratio a line: 0.236 between B and F3, 1.618 beyond A, -0.618 beyond B.</translation>
    </message>
    <message>
        <source>Коэффициенты</source>
        <translation>Ratios</translation>
    </message>
    <message>
        <source>Строка %1: «%2» — не коэффициент.</source>
        <translation>Line %1: “%2” is not a ratio.</translation>
    </message>
    <message>
        <source>Не больше %1 разных коэффициентов.</source>
        <translation>At most %1 different ratios.</translation>
    </message>
</context>
<context>
    <name>Listing</name>
    <message>
        <source>Ошибка в значении шума!</source>
        <translation>Error in the noise value!</translation>
    </message>
    <message>
        <source>Коридор F3</source>
        <translation>Corridor F3</translation>
    </message>
    <message>
        <source>Коридор F5</source>
        <translation>Corridor F5</translation>
    </message>
    <message>
        <source>Возможные целевые точки</source>
        <translation>Possible target points</translation>
    </message>
    <message>
        <source>Свои уровни</source>
        <translation>Levels</translation>
    </message>
    <message>
        <source>Шум %1%: коридор F3 %2 – %3, коридор F5 %4 – %5</source>
        <translation>Noise %1%: corridor F3 %2 – %3, corridor F5 %4 – %5</translation>
    </message>
</context>
<context>
    <name>Diagram</name>
    <message>
        <source>Диаграмма пуста: A и B равны.</source>
        <translation>The diagram is empty: A and B are equal.</translation>
    </message>
    <message>
        <source>Рост: </source>
        <translation>Rise: </translation>
    </message>
    <message>
        <source>Падение: </source>
        <translation>Fall: </translation>
    </message>
</context>
<context>
    <name>BoxCaption</name>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>Chart</name>
    <message>
        <source>%1: волны от %2%</source>
        <translation>%1: swings of %2%</translation>
    </message>
    <message>
        <source>Порог разворота %1%</source>
        <translation>Reversal threshold %1%</translation>
    </message>
    <message>
        <source>Шум %1%</source>
        <translation>Noise %1%</translation>
    </message>
    <message>
        <source>Волна %1 – %2</source>
        <translation>Swing %1 – %2</translation>
    </message>
    <message>
        <source>(не подтверждена)</source>
        <translation>(not confirmed)</translation>
    </message>
    <message>
        <source>Файл %1</source>
        <translation>File %1</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>строка %1: нет столбцов High и Low и нет столбца Close</source>
        <translation>line %1: no High and Low columns and no Close column</translation>
    </message>
    <message>
        <source>в файле нет баров: он пуст или в нём один заголовок</source>
        <translation>the file holds no bars: it is empty or holds a header alone</translation>
    </message>
    <message>
        <source>строка %1: длиннее %2 байт</source>
        <translation>line %1: longer than %2 bytes</translation>
    </message>
    <message>
        <source>строка %1: ячеек %2, а столбцам нужно %3</source>
        <translation>line %1: %2 cells, the columns need %3</translation>
    </message>
    <message>
        <source>строка %1, столбец %2: текст не в кодировке UTF-8</source>
        <translation>line %1, column %2: the text is not UTF-8</translation>
    </message>
    <message>
        <source>строка %1, столбец %2: в ячейке нулевой байт</source>
        <translation>line %1, column %2: the cell holds a NUL byte</translation>
    </message>
    <message>
        <source>строка %1, столбец %2: «%3» — не число</source>
        <translation>line %1, column %2: &quot;%3&quot; is not a number</translation>
    </message>
    <message>
        <source>строка %1, столбец %2: «%3» читается двояко, а десятичный знак файла ещё не ясен</source>
        <translation>line %1, column %2: &quot;%3&quot; reads two ways while the file&apos;s decimal mark is not yet known</translation>
    </message>
    <message>
        <source>строка %1, столбец %2: цена «%3» не больше нуля</source>
        <translation>line %1, column %2: the price &quot;%3&quot; is not above zero</translation>
    </message>
    <message>
        <source>строка %1, столбец %2: цена «%3» вне диапазона double</source>
        <translation>line %1, column %2: the price &quot;%3&quot; is beyond the range of a double</translation>
    </message>
    <message>
        <source>строка %1, столбец %2: цена «%3» меньше наименьшего нормализованного double</source>
        <translation>line %1, column %2: the price &quot;%3&quot; is below the smallest normal double</translation>
    </message>
    <message>
        <source>строка %1: High %2 ниже Low %3</source>
        <translation>line %1: High %2 is below Low %3</translation>
    </message>
    <message>
        <source>строка %1, столбец %2: «%3» — не дата в форме остальных дат файла</source>
        <translation>line %1, column %2: &quot;%3&quot; is not a date in the form of the file&apos;s other dates</translation>
    </message>
    <message>
        <source>строка %1: время %2 нарушает порядок файла после %3 (строка %4)</source>
        <translation>line %1: %2 is out of order after %3 (line %4)</translation>
    </message>
    <message>
        <source>пропущена строка без цен (строка %1)</source>
        <translation>1 row without prices skipped (line %1)</translation>
    </message>
    <message>
        <source>пропущено строк без цен: %1 (строки %2)</source>
        <translation>%1 rows without prices skipped (lines %2)</translation>
    </message>
    <message>
        <source>файл идёт от новых баров к старым: он прочитан с конца</source>
        <translation>the file runs newest first: it was read from its end</translation>
    </message>
    <message>
        <source>даты файла не прочитаны: бары взяты в порядке файла</source>
        <translation>the file&apos;s dates could not be read: the bars are taken in file order</translation>
    </message>
    <message>
        <source>в файле нет столбца даты: бары взяты в порядке файла</source>
        <translation>the file has no date column: the bars are taken in file order</translation>
    </message>
    <message>
        <source>время строки %1 повторяет время строки перед ней (повторов: %2)</source>
        <translation>line %1 repeats the time of the row before it (%2 repeats in all)</translation>
    </message>
    <message>
        <source>нет волны: цены ни разу не сдвигаются на %1%</source>
        <translation>no swing: the prices never move by %1%</translation>
    </message>
    <message>
        <source>не удаётся открыть %1: %2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>не удаётся прочитать %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>не удаётся сохранить копию %1 во временном файле: %2</source>
        <translation>cannot keep a copy of %1 in a temporary file: %2</translation>
    </message>
    <message>
        <source>стандартный ввод</source>
        <translation>standard input</translation>
    </message>
</context>
<context>
    <name>ChartWindow</name>
    <message>
        <source>График</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Порог разворота, %</source>
        <translation>Reversal threshold, %</translation>
    </message>
    <message>
        <source>Волны</source>
        <translation>Swings</translation>
    </message>
    <message>
        <source>волна %1, вверх, %2 – %3, %4 – %5</source>
        <translation>swing %1, up, %2 – %3, %4 – %5</translation>
    </message>
    <message>
        <source>волна %1, вниз, %2 – %3, %4 – %5</source>
        <translation>swing %1, down, %2 – %3, %4 – %5</translation>
    </message>
    <message>
        <source>Открыть файл цен…</source>
        <translation>Open price file…</translation>
    </message>
    <message>
        <source>Открыть файл цен</source>
        <translation>Open price file</translation>
    </message>
    <message>
        <source>Файлы цен (*.csv *.txt);;Все файлы (*)</source>
        <translation>Price files (*.csv *.txt);;All files (*)</translation>
    </message>
</context>
</TS>
