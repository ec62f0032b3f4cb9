#include "print/processor.h"

#include "common/windows1250.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#else
#include <QFile>
#include <sys/auxv.h>
#endif

#if defined(__x86_64__) || defined(__i386__)

ProcessorRegisters cpuidLeaf1()
{
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    ProcessorRegisters registers;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        registers = {eax, ebx, ecx, edx};
    return registers;
}

#else

namespace {

quint32 mainIdRegister()
{
    QFile file(QStringLiteral("/sys/devices/system/cpu/cpu0/regs/identification/midr_el1"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    bool ok = false;
    const quint64 value = file.readAll().trimmed().toULongLong(&ok, 0);
    return ok ? quint32(value) : 0;
}

} // namespace

ProcessorRegisters cpuidLeaf1()
{
    ProcessorRegisters registers;
    registers.eax = mainIdRegister();
    registers.ecx = quint32(getauxval(AT_HWCAP));
#ifdef AT_HWCAP2
    registers.edx = quint32(getauxval(AT_HWCAP2));
#endif
    return registers;
}

#endif

QString processorText(const ProcessorRegisters &registers)
{
    return QString::number(registers.ecx) + QString::number(registers.ebx) + QString::number(registers.edx)
        + QString::number(registers.eax);
}

quint32 nameChecksum(const QString &name)
{
    const QByteArray bytes = windows1250::encode(name);
    if (bytes.isEmpty())
        return 0;
    quint32 sum = quint8(bytes.front());
    for (const char byte : bytes)
        sum += quint8(byte);
    return sum;
}

QString makePrintIdentifier(const ProcessorRegisters &registers, const QString &name)
{
    return processorText(registers).right(6) + QString::number(nameChecksum(name), 16).toUpper();
}
