#include "application.h"
#include "startup.h"
#include "tdmmain.h"

int main(int argc, char **argv)
{
    kesp::app::Application app(argc, argv);
    kesp::app::Startup startup;
    if (!startup.run(kesp::storage::TdmMain::defaultDatabasePath()))
        return 1;
    return startup.exec();
}
