#include "print/preview/showpreview.h"

#include "print/preview/previewform.h"
#include "print/preview/printerlist.h"

void ShowPreview(const PageDrawer &pages, QWidget *parent)
{
    TfrxPreviewForm form(pages, PrinterList::instance(), PrintServices::platform(), parent);
    form.setWindowState(form.windowState() | Qt::WindowMaximized);
    form.exec();
}
