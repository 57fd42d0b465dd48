#pragma once
#include "board_transactor.h"

namespace vantrel {

class CBoardLink;

// The link object as a transactor, with the board addresses of its settings.
class LinkTransactor : public IBoardTransactor {
public:
    explicit LinkTransactor(CBoardLink& link) : link_(link) {}
    int Transact(uint8_t address, uint8_t command, int32_t* data) override;
    bool FunctionFailed() const override;
    uint8_t WriteAddress() const override;
    uint8_t ReadAddress() const override;

private:
    CBoardLink& link_;
};

}  // namespace vantrel
