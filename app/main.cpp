#include "app/application.h"
#include "app/programicon.h"
#include "app/tform1.h"

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    TForm1 form;
    setProgramIconAfterFirstPaint(&form);
    form.show();
    return application.exec();
}
