; Small PIC16F628A program: a reset vector, an interrupt vector, a few words that turn the
; comparators off and drive PORTB from the internal oscillator, the configuration word (internal
; oscillator without CLKOUT, MCLR pin as an input, LVP off), user IDs and EEPROM data.
        list    p=16f628a
        #include <p16f628a.inc>
        errorlevel -302
        __CONFIG _INTOSC_OSC_NOCLKOUT & _MCLRE_OFF & _LVP_OFF & _WDT_OFF & _PWRTE_ON & _BOREN_OFF & _CPD_OFF & _CP_OFF
        __IDLOCS 0x628A

        org     0x0000
        goto    start
        org     0x0004
        retfie
start:
        movlw   0x07
        movwf   CMCON
        bsf     STATUS, RP0
        clrf    TRISB
        bcf     STATUS, RP0
        movlw   0x81
loop:
        movwf   PORTB
        xorlw   0xFF
        goto    loop

        org     0x2100
        de      "62xA", 0x00, 0xC3
        end
