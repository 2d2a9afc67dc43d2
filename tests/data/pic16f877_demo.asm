; Small PIC16F877 program reaching beyond the first 1K words: a reset vector that jumps to page 1,
; a routine at 0x0800, a few words at the top of program memory, the configuration word (LVP left
; on, so loading must clear it), user IDs and EEPROM data.
        list    p=16f877
        #include <p16f877.inc>
        errorlevel -302
        __CONFIG _HS_OSC & _WDT_ON & _PWRTE_OFF & _BODEN_OFF & _LVP_ON & _CP_OFF & _DEBUG_OFF
        __IDLOCS 0xA5C3

        org     0x0000
        movlw   HIGH page1
        movwf   PCLATH
        goto    page1

        org     0x0800
page1:
        bsf     STATUS, RP0
        clrf    TRISD
        bcf     STATUS, RP0
        movlw   0x3C
        movwf   PORTD
        call    top
        goto    page1

        org     0x1FFC
top:
        nop
        movlw   0xA5
        xorwf   PORTD, F
        return

        org     0x2100
        de      "877", 0x00, 0xEE
        end
