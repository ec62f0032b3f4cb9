#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// The four values the processor identification gives for leaf 1.
struct ProcessorRegisters
{
    quint32 eax = 0;
    quint32 ebx = 0;
    quint32 ecx = 0;
    quint32 edx = 0;
};

// Where the leaf-1 values come from; tests hand in fixed ones.
using ProcessorIdentification = std::function<ProcessorRegisters()>;

// The machine's own values: the CPUID instruction on x86. Other processors have no such instruction;
// there the values come from the kernel: EAX the main ID register (MIDR_EL1 on ARM, from sysfs),
// ECX and EDX the hardware capability words AT_HWCAP and AT_HWCAP2, EBX zero. Unreadable ones are zero.
ProcessorRegisters cpuidLeaf1();

// ECX, EBX, EDX and EAX as unsigned decimals, in that order, without separators.
QString processorText(const ProcessorRegisters &registers);

// Sum of the name's Windows-1250 bytes with the first byte counted twice, wrapping at 32 bits.
quint32 nameChecksum(const QString &name);

// The last six characters of the processor text followed by the checksum in upper-case hexadecimal.
QString makePrintIdentifier(const ProcessorRegisters &registers, const QString &name);
