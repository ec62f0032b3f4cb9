#include "app/application.h"
#include "app/tform1.h"

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    TForm1 form;
    form.show();
    return application.exec();
}
