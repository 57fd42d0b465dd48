#include "link_transactor.h"

#include "vantrel/link/board_link.h"

namespace vantrel {

int LinkTransactor::Transact(uint8_t address, uint8_t command, int32_t* data) {
    return link_.Transact(address, command, data, 0);
}

bool LinkTransactor::FunctionFailed() const { return link_.lastFunctionFailed; }

uint8_t LinkTransactor::WriteAddress() const { return link_.settings.BoardWriteAddress; }

uint8_t LinkTransactor::ReadAddress() const { return link_.settings.BoardReadAddress; }

}  // namespace vantrel
