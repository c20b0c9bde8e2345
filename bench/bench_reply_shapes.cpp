// Reading replies of hostile shapes against a plain reply of the same size: a root with a distinct
// child element name for every child, and a sold-out list whose every row carries an attribute
// named like no other (both once took time and memory growing with the square of their size), and
// one element with as many attributes as a reply may carry on one element. Each is read as the
// sold-out poller reads a reply: the return code, then the list.
//
// Counters: "read" is 1 when the reply was read and 0 when it was refused (one with more than 4,096
// different names is), "bytes" is the reply's size, "memory_x" the growth of the resident memory while the
// read reply is held, as a multiple of the reply's size (measured once per run, outside the timing).

#include "server/ResponseParser.h"
#include "server/XmlReply.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>

namespace {

enum Shape { Plain, DistinctChildren, DistinctAttributes, WideRows };

// A reply of `shape` of at least `bytes` bytes.
QByteArray makeReply(Shape shape, qsizetype bytes)
{
    QByteArray xml = shape == DistinctChildren ? "<R>" : "<R><ReturnList><L>";
    xml.reserve(bytes + 200);
    for (int i = 0; xml.size() < bytes; ++i) {
        const QByteArray n = QByteArray::number(i);
        switch (shape) {
        case Plain:
            xml += "<G foodno=\"" + n + "\" leftQty=\"" + n + "\" foodName=\"xx\"/>";
            break;
        case DistinctChildren:
            xml += "<E" + n + ">x</E" + n + ">";
            break;
        case DistinctAttributes:
            xml += "<G foodno=\"" + n + "\" leftQty=\"0\" a" + n + "=\"v\"/>";
            break;
        case WideRows: {
            // 256 attributes, the most one element may carry, then a new row.
            xml += "<G";
            for (int a = 0; a < 256; ++a)
                xml += " a" + QByteArray::number(a) + "=\"" + n + "\"";
            xml += "/>";
            break;
        }
        }
    }
    return xml + (shape == DistinctChildren ? "" : "</L></ReturnList>") + "<ReturnCode>0</ReturnCode></R>";
}

qint64 residentBytes()
{
    long pages = 0, resident = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return qint64(resident) * sysconf(_SC_PAGESIZE);
}

bool readLikeThePoller(const QByteArray &data)
{
    const XmlReply reply(data);
    std::optional<QString> error;
    const auto code = ResponseParser::parseResponseData(reply, QStringLiteral("ReturnCode"), &error);
    const auto list = ResponseParser::parseGqFoodList(reply);
    benchmark::DoNotOptimize(list);
    return !error && code == QStringLiteral("0");
}

void BM_ReadReply(benchmark::State &state)
{
    const auto shape = Shape(state.range(0));
    const QByteArray data = makeReply(shape, state.range(1) * 1024);
    const qint64 before = residentBytes();
    double memory = 0;
    {
        const XmlReply held(data);
        const auto list = ResponseParser::parseGqFoodList(held);
        memory = double(residentBytes() - before) / double(data.size());
        benchmark::DoNotOptimize(list);
    }
    bool read = false;
    for (auto _ : state)
        read = readLikeThePoller(data);
    state.counters["read"] = read ? 1 : 0;
    state.counters["bytes"] = double(data.size());
    state.counters["memory_x"] = memory;
    state.SetBytesProcessed(state.iterations() * data.size());
}

void shapesAndSizes(benchmark::internal::Benchmark *b)
{
    b->ArgNames({"shape", "KiB"});
    for (const int shape : {Plain, DistinctChildren, DistinctAttributes, WideRows})
        for (const int kib : {350, 900, 32 * 1024 - 8})
            b->Args({shape, kib});
}

} // namespace

BENCHMARK(BM_ReadReply)->Apply(shapesAndSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
