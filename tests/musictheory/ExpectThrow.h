#pragma once

#include <gtest/gtest.h>

#include <string>

// Expects the expression to throw exactly the exception type E with the given message.
#define EXPECT_THROW_MESSAGE(statement, E, message)                                       \
    do                                                                                    \
    {                                                                                     \
        try                                                                               \
        {                                                                                 \
            static_cast<void>(statement);                                                 \
            ADD_FAILURE() << "no exception from: " #statement;                            \
        }                                                                                 \
        catch (const E& e)                                                                \
        {                                                                                 \
            EXPECT_EQ(std::string(e.what()), std::string(message)) << #statement;         \
        }                                                                                 \
        catch (...)                                                                       \
        {                                                                                 \
            ADD_FAILURE() << "wrong exception type from: " #statement;                    \
        }                                                                                 \
    } while (false)
