#include "sim/SimBcCmd.h"

#include "sim/SimBytes.h"
#include "sim/SimProtocol.h"
#include "sim/SimPsStore.h"

#include <QVector>

namespace Sim {

using namespace SimProtocol;

namespace {

std::uint16_t PsSize(bool isGet, const QByteArray& request, const SimPsStore& store, QByteArray* response)
{
    const int valueSize = request.size() - BcCmdHeaderSize;
    if (!isGet)
        return BcCmdReadOnly;
    if (valueSize < PsSizeValueSize)
        return BcCmdBadReq;
    std::uint16_t words = 0;
    const std::uint16_t status = store.ReadSize(Word(request, BcCmdHeaderSize + PsKeyOffset), &words);
    if (status == BcCmdOk)
        PutWord(response, BcCmdHeaderSize + PsSizeOffset, words);
    return status;
}

std::uint16_t PsValue(bool isGet, const QByteArray& request, SimPsStore* store, QByteArray* response)
{
    if (request.size() - BcCmdHeaderSize < PsWordsOffset)
        return BcCmdBadReq;
    const std::uint16_t key = Word(request, BcCmdHeaderSize + PsKeyOffset);
    const std::uint16_t length = Word(request, BcCmdHeaderSize + PsLengthOffset);
    constexpr int wordsOffset = BcCmdHeaderSize + PsWordsOffset;
    if (wordsOffset + length * 2 > request.size())
        return BcCmdBadReq;
    if (!isGet) {
        QVector<std::uint16_t> value;
        for (int i = 0; i < length; ++i)
            value.append(Word(request, wordsOffset + 2 * i));
        store->Write(key, value);
        return BcCmdOk;
    }
    QVector<std::uint16_t> value;
    const std::uint16_t status = store->Read(key, length, &value);
    if (status == BcCmdOk) {
        for (int i = 0; i < length; ++i)
            PutWord(response, wordsOffset + 2 * i, value.at(i));
    }
    return status;
}

} // namespace

SimBcCmdOutcome AnswerBcCmd(const QByteArray& request, const SimFaults& faults, std::uint16_t buildId,
                            SimPsStore* store, QByteArray* response)
{
    if (request.size() < BcCmdHeaderSize)
        return SimBcCmdOutcome::Ignored;
    const std::uint16_t type = Word(request, BcCmdTypeOffset);
    if (type != BcCmdGetReq && type != BcCmdSetReq)
        return SimBcCmdOutcome::Ignored;
    if (faults.bcCmd == SimFaults::BcCmd::Silent)
        return SimBcCmdOutcome::Ignored;
    const std::uint16_t lengthWords = Word(request, BcCmdLengthOffset);
    const std::uint16_t varid = Word(request, BcCmdVaridOffset);
    const bool isGet = type == BcCmdGetReq;

    // The answer is the request with its type and status changed and the value filled in.
    *response = request;
    PutWord(response, BcCmdTypeOffset, BcCmdGetResp);
    std::uint16_t status = BcCmdOk;
    if (lengthWords < BcCmdHeaderWords || lengthWords * 2 > request.size()) {
        status = BcCmdBadReq;
    } else if (faults.bcCmd == SimFaults::BcCmd::Error) {
        status = faults.bcCmdErrorStatus;
    } else if (varid == VaridColdReset || varid == VaridWarmReset) {
        // Either reset restarts the chip at once; it never gets to answer.
        if (!isGet)
            return SimBcCmdOutcome::Restart;
        status = BcCmdWriteOnly;
    } else if (varid == VaridBuildId) {
        if (!isGet)
            status = BcCmdReadOnly;
        else if (request.size() - BcCmdHeaderSize < 2)
            status = BcCmdTooBig;
        else
            PutWord(response, BcCmdHeaderSize, buildId);
    } else if (varid == VaridPsSize) {
        status = PsSize(isGet, request, *store, response);
    } else if (varid == VaridPs) {
        status = PsValue(isGet, request, store, response);
    } else {
        status = BcCmdNoSuchVarid;
    }
    PutWord(response, BcCmdStatusOffset, status);
    return SimBcCmdOutcome::Answered;
}

} // namespace Sim
