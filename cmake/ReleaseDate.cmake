# The release date in the forms the package needs: seconds since 1970 (for
# SOURCE_DATE_EPOCH while the manual pages are generated) and the RFC 2822 date
# of the Debian changelog. Only the day is known, so the time is midnight UTC.

# Days from 1970-01-01 to the civil date YEAR-MONTH-DAY (proleptic Gregorian).
function(ravo_days_from_civil year month day out_var)
    set(y ${year})
    if(month LESS_EQUAL 2)
        math(EXPR y "${year} - 1")
    endif()
    if(y GREATER_EQUAL 0)
        math(EXPR era "${y} / 400")
    else()
        math(EXPR era "(${y} - 399) / 400")
    endif()
    math(EXPR yoe "${y} - ${era} * 400")
    math(EXPR mp "(${month} + 9) % 12")
    math(EXPR doy "(153 * ${mp} + 2) / 5 + ${day} - 1")
    math(EXPR doe "${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy}")
    math(EXPR days "${era} * 146097 + ${doe} - 719468")
    set(${out_var} ${days} PARENT_SCOPE)
endfunction()

# Sets RAVO_RELEASE_EPOCH and RAVO_RELEASE_RFC2822 from DATE (YYYY-MM-DD).
function(ravo_release_date date)
    if(NOT date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "release date \"${date}\" is not YYYY-MM-DD")
    endif()
    set(year ${CMAKE_MATCH_1})
    set(day_text ${CMAKE_MATCH_3})
    # Leading zeros would read as octal in math(EXPR).
    string(REGEX REPLACE "^0" "" month "${CMAKE_MATCH_2}")
    string(REGEX REPLACE "^0" "" day "${day_text}")
    ravo_days_from_civil(${year} ${month} ${day} days)
    math(EXPR epoch "${days} * 86400")
    math(EXPR weekday "(${days} + 4) % 7")  # 1970-01-01 was a Thursday
    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekdays ${weekday} weekday_name)
    math(EXPR month_index "${month} - 1")
    list(GET months ${month_index} month_name)
    set(RAVO_RELEASE_EPOCH ${epoch} PARENT_SCOPE)
    set(RAVO_RELEASE_RFC2822 "${weekday_name}, ${day_text} ${month_name} ${year} 00:00:00 +0000"
        PARENT_SCOPE)
endfunction()
